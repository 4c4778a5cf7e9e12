// The failures the form runtime and its back ends throw.
#pragma once

#include <exception>
#include <string>
#include <utility>

namespace forms {

// A failure that carries its own message: the base of the run-time error,
// and what the program throws for a fault of its own (a control name the
// definition lacks) or of the system (no window). It stands in for
// std::logic_error and std::runtime_error, whose copy-on-write message
// strings would bring about 80 KB of the C++ runtime into the static
// Install.exe.
class Failure : public std::exception {
public:
    explicit Failure(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// A run-time error of the form runtime: what a failed property assignment or
// a failed platform operation raises. Its number and description follow the
// classic run-time's numbering so that the standard error message reads as
// users of such programs know it.
class RuntimeError : public Failure {
public:
    RuntimeError(int number, const std::string& description) : Failure(description), number_(number) {}

    int number() const { return number_; }
    std::string description() const { return what(); }

private:
    int number_;
};

// The numbers the runtime itself raises.
namespace errors {
inline constexpr int kOverflow = 6;           // a value outside a property's range
inline constexpr int kTypeMismatch = 13;      // a text that is not a number
inline constexpr int kInvalidProperty = 380;  // a value the property does not take
inline constexpr int kNotSupported = 438;     // a property the control's kind lacks
inline constexpr int kFileNotFound = 53;
inline constexpr int kDeviceUnavailable = 68;
inline constexpr int kPathNotFound = 76;
inline constexpr int kInvalidCall = 5;
inline constexpr int kOutOfMemory = 7;
inline constexpr int kInternalError = 51;
inline constexpr int kInvalidPicture = 481;   // a picture file image that cannot be loaded
}  // namespace errors

// "Run-time error '13':\n\nType mismatch", the text of the standard message.
std::string standardErrorMessage(const RuntimeError& e);

}  // namespace forms
