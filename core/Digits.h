#pragma once
// Numbers as the program writes them.

#include <cstddef>
#include <cstdint>
#include <string>

// `n` as unsigned digits in `base` (10 or 16), with leading zeros to `width` digits, no grouping.
inline std::u16string Digits(std::uint32_t n, std::uint32_t base, std::size_t width = 1) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), u"0123456789ABCDEF"[n % base]);
        n /= base;
    } while (n != 0 || digits.size() < width);
    return digits;
}
