#include "platform/win32/win32_shell.h"

#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <iterator>
#include <utility>

#include "forms/runtime_error.h"
#include "platform/win32/dll_search.h"
#include "platform/win32/taskbar_guard.h"
#include "platform/win32/unicode.h"

namespace platform::win32 {

namespace {

// "Path/File access error": a lookup that could not be made for a reason
// other than the disc being absent.
constexpr int kPathFileAccessError = 75;

// The directory part of a module path: "D:\Disc\Install.exe" gives "D:\Disc",
// "D:\Install.exe" gives the drive root "D:\".
std::wstring directoryOf(const std::wstring& file) {
    std::size_t cut = file.find_last_of(L"\\/");
    if (cut == std::wstring::npos) return file;
    std::wstring dir = file.substr(0, cut);
    if (dir.size() == 2 && dir[1] == L':') dir += L'\\';
    return dir;
}

// Whether an entry with these attributes is one the mask asks for. Ordinary
// files always are (read-only and archive included); directories, hidden and
// system entries only when the mask names them.
bool wanted(DWORD found, int mask) {
    struct Rule {
        DWORD attribute;
        int maskBit;
    };
    static constexpr Rule kRules[] = {
        {FILE_ATTRIBUTE_DIRECTORY, forms::attributes::kDirectory},
        {FILE_ATTRIBUTE_HIDDEN, forms::attributes::kHidden},
        {FILE_ATTRIBUTE_SYSTEM, forms::attributes::kSystem},
    };
    for (const Rule& r : kRules)
        if ((found & r.attribute) && !(mask & r.maskBit)) return false;
    return true;
}

}  // namespace

Win32Shell::~Win32Shell() {
    if (comStarted_) CoUninitialize();
}

forms::TaskbarWindows Win32Shell::findTaskbar(const std::string& className) {
    HWND found = FindWindowA(className.c_str(), nullptr);
    return {{reinterpret_cast<std::uintptr_t>(found)}};
}

void Win32Shell::deferTaskbarHide(bool defer) {
    deferHide_ = defer;
    if (!defer) hide(pendingHide_, pendingHide_ + std::exchange(pendingCount_, 0));
}

void Win32Shell::taskbarCreated() {
    const auto found = reinterpret_cast<std::uintptr_t>(FindWindowA("Shell_TrayWnd", nullptr));
    if (!found) return;
    if (pendingCount_) {
        // Not hidden yet: the hide still to be made is the new taskbar's.
        pendingHide_[0] = found;
        pendingCount_ = 1;
    } else if (holding_) {
        hide(&found, &found + 1);
    }
}

void Win32Shell::hide(const std::uintptr_t* first, const std::uintptr_t* last) {
    if (first == last) return;
    holding_ = true;
    // The taskbar guard shows the taskbar again after the program's end
    // exactly while the program holds it hidden.
    holdTaskbar();
    // The taskbar belongs to another process. Hiding it is only handed to
    // the thread that owns it: the menu does not wait while that thread is
    // busy or hung (Wine without a window manager holds its own up to 2 s
    // waiting for the X server to withdraw the taskbar). Requests handed
    // over this way and a show sent after them reach that thread in the
    // order made.
    for (; first != last; ++first) ShowWindowAsync(reinterpret_cast<HWND>(*first), SW_HIDE);
}

void Win32Shell::showWindow(const forms::TaskbarWindows& windows, int showCommand) {
    const std::uintptr_t* first = windows.handles.data();
    const std::size_t count = windows.handles.size();
    if (showCommand == SW_HIDE) {
        if (deferHide_ && count <= std::size(pendingHide_)) {
            std::copy_n(first, count, pendingHide_);
            pendingCount_ = count;
        } else {
            hide(first, first + count);
        }
        return;
    }
    pendingCount_ = 0;  // a show takes the place of a hide not yet made
    holding_ = false;
    // Showing the taskbar waits until it is done: the program may end right
    // after, and the taskbar is visible by then.
    for (std::size_t i = 0; i < count; ++i) ShowWindow(reinterpret_cast<HWND>(first[i]), showCommand);
    releaseTaskbar();
}

std::string Win32Shell::appPath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) throw forms::RuntimeError(kPathFileAccessError, systemMessage(GetLastError()));
        if (n < buffer.size()) {
            buffer.resize(n);
            break;
        }
        buffer.resize(buffer.size() * 2);  // a long path: try again with room for it
    }
    return narrow(directoryOf(buffer));
}

std::string Win32Shell::dir(const std::string& path, int attributeMask) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(widen(path).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_NO_MORE_FILES)
            return "";
        const int number = error == ERROR_NOT_READY ? forms::errors::kDeviceUnavailable : kPathFileAccessError;
        throw forms::RuntimeError(number, systemMessage(error));
    }
    std::string result;
    do {
        const std::wstring_view name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        if (wanted(data.dwFileAttributes, attributeMask)) {
            result = narrow(name);
            break;
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return result;
}

void Win32Shell::startProcess(const std::string& program, const std::string& workingDirectory, int showState) {
    // The shell is loaded, and COM, which it wants on this thread, started
    // when the first installer starts: at start-up they would only delay the
    // menu's first frame.
    if (!shellExecute_) {
        // Once: each start of COM that succeeds wants its own end.
        if (!comStarted_)
            comStarted_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
        shellExecute_ = functionOf<decltype(shellExecute_)>(loadSystemLibrary(L"shell32.dll"), "ShellExecuteExW");
        if (!shellExecute_) {
            const DWORD error = GetLastError();
            throw forms::RuntimeError(static_cast<int>(error), systemMessage(error));
        }
    }
    const std::wstring file = widen(program);
    const std::wstring directory = widen(workingDirectory);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    // Synchronous, with failures reported to us rather than shown by the
    // shell; the elevation prompt, when the installer needs one, is owned by
    // the menu window.
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOCLOSEPROCESS;
    info.hwnd = owner_;
    info.lpFile = file.c_str();  // the program itself, never parsed as a command line
    info.lpDirectory = directory.c_str();
    info.nShow = showState;
    if (!shellExecute_(&info)) {
        DWORD error = GetLastError();
        // Some reasons name the file as "%1".
        std::string reason = systemMessage(error);
        if (std::size_t at = reason.find("%1"); at != std::string::npos) reason.replace(at, 2, program);
        if (error == ERROR_CANCELLED) throw forms::RuntimeError(forms::kStartCancelled, reason);
        throw forms::RuntimeError(static_cast<int>(error), reason);
    }
    if (info.hProcess) CloseHandle(info.hProcess);  // nothing waits for the installer
}

int Win32Shell::messageBox(const std::string& prompt, int style, const std::string& title) {
    return MessageBoxW(owner_, widen(prompt).c_str(), widen(title).c_str(), static_cast<UINT>(style));
}

}  // namespace platform::win32
