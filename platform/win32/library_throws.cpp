// The C++ library's own throw helpers, linked into Install.exe in place of
// libstdc++'s.
//
// The standard containers and strings report misuse through the
// std::__throw_* functions of <bits/functexcept.h>. In libstdc++ they all
// live in one archive member that constructs std::logic_error and its
// kin, whose copy-on-write message strings pull in the whole old-ABI
// std::string, std::random_device and the new-ABI std::string besides:
// about 80 KB of code and unwind tables in a program that otherwise uses
// none of them. Defined here, in an object file of the executable, all of
// that member's functions are taken from here and the linker never loads it
// (should a later libstdc++ add one to it that the program uses, the link
// fails on the duplicate definitions rather than growing quietly).
//
// What they throw behaves as before wherever the program looks: a
// std::exception whose what() is the library's message (caught as "Internal
// error" in a handler, shown in the start-up message box); std::bad_alloc
// and the other message-less types are the standard ones.
#include <cstdarg>
#include <cstddef>
#include <cstring>
#include <exception>
#include <new>
#include <typeinfo>

namespace {

// A misuse the library reports: its message, formatted once.
class LibraryError final : public std::exception {
public:
    explicit LibraryError(const char* message) noexcept { append(message, std::strlen(message)); }

    // The library's formats use %s, %zu and %%, nothing else.
    LibraryError(const char* format, std::va_list args) noexcept {
        for (const char* p = format; *p; ++p) {
            if (p[0] == '%' && p[1] == 's') {
                const char* s = va_arg(args, const char*);
                append(s, std::strlen(s));
                ++p;
            } else if (p[0] == '%' && p[1] == 'z' && p[2] == 'u') {
                char digits[24];
                std::size_t n = 0;
                for (std::size_t v = va_arg(args, std::size_t); n == 0 || v; v /= 10) digits[n++] = char('0' + v % 10);
                while (n) append(&digits[--n], 1);
                p += 2;
            } else if (p[0] == '%' && p[1] == '%') {
                append("%", 1);
                ++p;
            } else {
                append(p, 1);
            }
        }
    }

    const char* what() const noexcept override { return text_; }

private:
    // Long messages are cut, never overrun.
    void append(const char* s, std::size_t n) noexcept {
        while (n-- && length_ + 1 < sizeof text_) text_[length_++] = *s++;
        text_[length_] = '\0';
    }

    char text_[256] = {};
    std::size_t length_ = 0;
};

}  // namespace

namespace std {

void __throw_bad_exception() { throw bad_exception(); }
void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_bad_cast() { throw bad_cast(); }
void __throw_bad_typeid() { throw bad_typeid(); }

void __throw_logic_error(const char* s) { throw LibraryError(s); }
void __throw_domain_error(const char* s) { throw LibraryError(s); }
void __throw_invalid_argument(const char* s) { throw LibraryError(s); }
void __throw_length_error(const char* s) { throw LibraryError(s); }
void __throw_out_of_range(const char* s) { throw LibraryError(s); }
void __throw_runtime_error(const char* s) { throw LibraryError(s); }
void __throw_range_error(const char* s) { throw LibraryError(s); }
void __throw_overflow_error(const char* s) { throw LibraryError(s); }
void __throw_underflow_error(const char* s) { throw LibraryError(s); }

void __throw_out_of_range_fmt(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    LibraryError error(format, args);
    va_end(args);
    throw error;
}

}  // namespace std
