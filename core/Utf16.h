#pragma once
// UTF-16: the halves of a surrogate pair, and UTF-8 made UTF-16.

constexpr bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c < 0xDC00; }
constexpr bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c < 0xE000; }

#include <string>
#include <string_view>

// `text`, well-formed UTF-8 (the program's own texts), as UTF-16.
inline std::u16string Utf16(std::u8string_view text) {
    std::u16string units;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned lead = text[i++];
        const int more = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        char32_t c = lead & (0x7Fu >> more);
        for (int k = 0; k < more && i < text.size(); ++k) c = c << 6 | (text[i++] & 0x3Fu);
        if (c >= 0x10000) {
            units += char16_t(0xD800 + ((c - 0x10000) >> 10));
            c = 0xDC00 + (c & 0x3FF);
        }
        units += char16_t(c);
    }
    return units;
}
