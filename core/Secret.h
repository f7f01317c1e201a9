#pragma once
// A secret, such as a password: one buffer of the program's own, wiped whole when its owner goes,
// whatever the path. It is never copied: no std::u16string holds it (a string's old buffer
// outlives a reallocation unwiped, and a short one lies in the string object itself, where no
// allocator sees it), and it is handed to the platform as a pointer to this buffer.

#include <cstddef>
#include <memory>

// Zeroes `size` bytes at `memory` with writes the compiler may not leave out as dead stores, as
// Windows' SecureZeroMemory does.
inline void WipeMemory(void* memory, std::size_t size) {
    for (auto* byte = static_cast<volatile unsigned char*>(memory); size != 0; --size) *byte++ = 0;
}

class Secret {
public:
    // Room for `capacity` UTF-16 code units, the terminator included; empty, all zeros.
    explicit Secret(std::size_t capacity) : units_(new char16_t[capacity]()), capacity_(capacity) {}
    ~Secret() { Wipe(); }
    Secret(const Secret&) = delete;
    Secret& operator=(const Secret&) = delete;

    char16_t* data() { return units_.get(); }
    const char16_t* c_str() const { return units_.get(); }
    std::size_t capacity() const { return capacity_; }
    // The code units before the first terminator.
    std::size_t size() const {
        std::size_t n = 0;
        while (n < capacity_ && units_[n] != u'\0') ++n;
        return n;
    }
    void Wipe() { WipeMemory(units_.get(), capacity_ * sizeof(char16_t)); }

private:
    std::unique_ptr<char16_t[]> units_;
    std::size_t capacity_;
};
