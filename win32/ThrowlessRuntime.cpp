// The program is built without exceptions, but the standard library's own helpers still throw
// (std::bad_alloc, std::length_error), and linking them drags in the unwinder, the demangler
// and printf: four times the size of the program itself. These replacements end the program
// at once instead, which is what an uncaught exception would have done.
// Checked against Debian 12's mingw-w64 10.0.0 with its g++ 12 (libstdc++ 12): a newer
// libstdc++ may throw from helpers not listed here; the size test of the build tells.

#include <cstdlib>
#include <new>

namespace std {
[[noreturn]] void __throw_length_error(const char*) { std::abort(); }
[[noreturn]] void __throw_logic_error(const char*) { std::abort(); }
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }
[[noreturn]] void __throw_bad_alloc() { std::abort(); }
[[noreturn]] void __throw_bad_array_new_length() { std::abort(); }
}  // namespace std

void* operator new(std::size_t size) {
    if (void* memory = std::malloc(size != 0 ? size : 1)) return memory;
    std::abort();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
