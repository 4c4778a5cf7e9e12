// The shell services on Windows: the taskbar through FindWindowA and
// ShowWindow, the application directory, file lookup with FindFirstFileW,
// starting installers with ShellExecuteExW and the modal message box, all
// through the wide-character API.
#pragma once

#include <windows.h>

#include "forms/shell.h"

namespace platform::win32 {

class Win32Shell final : public forms::Shell {
public:
    // The menu window: owner of message boxes and of elevation prompts.
    void setOwner(HWND owner) { owner_ = owner; }

    forms::TaskbarWindows findTaskbar(const std::string& className) override;
    void showWindow(const forms::TaskbarWindows& windows, int showCommand) override;
    char pathSeparator() const override { return '\\'; }
    std::string appPath() override;
    std::string dir(const std::string& path, int attributeMask) override;
    void startProcess(const std::string& program, const std::string& workingDirectory, int showState) override;
    int messageBox(const std::string& prompt, int style, const std::string& title) override;

private:
    HWND owner_ = nullptr;
};

}  // namespace platform::win32
