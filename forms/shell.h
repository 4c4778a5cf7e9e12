// The shell services seam: what the program asks of the desktop beyond its
// window. Every call is answered afresh; a back end keeps no state between
// calls that a caller could see. Paths are UTF-8 text in the platform's own
// notation. Failures that the calls report raise forms::RuntimeError with the
// system's reason as the description.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace forms {

// The desktop panel windows found by one lookup. A lookup that finds nothing
// may still hand back a null handle, which showWindow passes on as it is.
struct TaskbarWindows {
    std::vector<std::uintptr_t> handles;
};

// File attributes for dir(): 0 asks for ordinary files only (read-only and
// archive files included); hidden, system and directory widen the search.
namespace attributes {
inline constexpr int kNormal = 0;
inline constexpr int kReadOnly = 1;
inline constexpr int kHidden = 2;
inline constexpr int kSystem = 4;
inline constexpr int kDirectory = 16;
}  // namespace attributes

namespace show {
inline constexpr int kHide = 0;
inline constexpr int kNormal = 1;
}  // namespace show

// Message box style bits and answers.
namespace box {
inline constexpr int kOkOnly = 0;
inline constexpr int kCritical = 16;
inline constexpr int kQuestion = 32;
inline constexpr int kExclamation = 48;
inline constexpr int kInformation = 64;
inline constexpr int kOk = 1;
}  // namespace box

class Shell {
public:
    virtual ~Shell() = default;

    // The taskbar: the desktop's panel windows of that class, looked up now.
    virtual TaskbarWindows findTaskbar(const std::string& className) = 0;
    // Hides (show::kHide) or shows (show::kNormal) them; reports nothing.
    virtual void showWindow(const TaskbarWindows& windows, int showCommand) = 0;

    // The separator of path components: '\\' on Windows, '/' elsewhere.
    virtual char pathSeparator() const = 0;
    // The directory that holds the running executable, without a trailing
    // separator except for a root directory.
    virtual std::string appPath() = 0;
    // The name of the first file matching path whose attributes fit the mask,
    // or "" when none does. Raises when the lookup cannot be made.
    virtual std::string dir(const std::string& path, int attributeMask) = 0;
    // Starts program as a process of its own in workingDirectory and returns
    // at once. Raises with the system's reason when it cannot start; a start
    // the user cancelled (an elevation prompt declined) raises kStartCancelled.
    virtual void startProcess(const std::string& program, const std::string& workingDirectory, int showState) = 0;
    // A modal message box owned by the program's window; returns the button.
    virtual int messageBox(const std::string& prompt, int style, const std::string& title) = 0;
};

// The number of the run-time error a cancelled start raises.
inline constexpr int kStartCancelled = 1223;

}  // namespace forms
