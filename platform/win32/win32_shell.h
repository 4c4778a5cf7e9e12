// The shell services on Windows: the taskbar through FindWindowA and
// ShowWindowAsync (hide) or ShowWindow (show), the application directory,
// file lookup with FindFirstFileW, starting installers with ShellExecuteExW
// and the modal message box, all through the wide-character API.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstddef>
#include <cstdint>

#include "forms/shell.h"

namespace platform::win32 {

class Win32Shell final : public forms::Shell {
public:
    Win32Shell() = default;
    ~Win32Shell() override;
    Win32Shell(const Win32Shell&) = delete;
    Win32Shell& operator=(const Win32Shell&) = delete;

    // The menu window: owner of message boxes and of elevation prompts.
    void setOwner(HWND owner) { owner_ = owner; }
    // While deferred, a hide of the taskbar waits, and is made when the
    // deferral ends; a show meanwhile takes its place. Hiding the taskbar
    // starts the taskbar guard first, a process start, which the menu's
    // first frame need not wait for.
    void deferTaskbarHide(bool defer);
    // Explorer has made a new taskbar (it restarted after a crash or an
    // update), shown: while the menu holds the taskbar hidden, the new one
    // is hidden too, guard first as ever.
    void taskbarCreated();

    forms::TaskbarWindows findTaskbar(const std::string& className) override;
    void showWindow(const forms::TaskbarWindows& windows, int showCommand) override;
    char pathSeparator() const override { return '\\'; }
    std::string appPath() override;
    std::string dir(const std::string& path, int attributeMask) override;
    void startProcess(const std::string& program, const std::string& workingDirectory, int showState) override;
    int messageBox(const std::string& prompt, int style, const std::string& title) override;

private:
    void hide(const std::uintptr_t* first, const std::uintptr_t* last);

    HWND owner_ = nullptr;
    bool deferHide_ = false;
    // A hide asked for while deferred: its windows (the taskbar is one; a
    // hide of more than fit here is made at once).
    std::uintptr_t pendingHide_[4] = {};
    std::size_t pendingCount_ = 0;
    // The menu has hidden the taskbar and not shown it again.
    bool holding_ = false;
    BOOL(WINAPI* shellExecute_)(SHELLEXECUTEINFOW*) = nullptr;
    bool comStarted_ = false;
};

}  // namespace platform::win32
