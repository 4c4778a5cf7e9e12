// Install.exe: the installation menu on Windows. This is the one place that
// chooses the Windows back end: the Win32 window, the GDI painter, the
// pictures drawn from their file images and the Windows shell.
#include <windows.h>

#include <exception>

#include "app/form1.h"
#include "platform/win32/crash_guard.h"
#include "platform/win32/dll_search.h"
#include "platform/win32/host_window.h"
#include "platform/win32/single_menu.h"
#include "platform/win32/taskbar_guard.h"
#include "platform/win32/unicode.h"
#include "platform/win32/win32_pictures.h"
#include "platform/win32/win32_shell.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int) {
    // Before anything can load a DLL.
    platform::win32::restrictDllSearchToSystem();
    // A copy of the menu started to guard its taskbar does only that.
    if (platform::win32::runTaskbarGuard(arguments)) return 0;
    // A second start brings the menu that runs to the front, and ends.
    if (!platform::win32::claimOnlyMenu(platform::win32::HostWindow::kClassName)) return 0;
    platform::win32::installCrashGuard();
    int code = 0;
    try {
        platform::win32::Win32Shell shell;
        platform::win32::Win32PictureLoader loader;
        Form1 form(shell, loader);
        platform::win32::HostWindow window(form, instance);
        shell.setOwner(window.handle());
        window.reportTaskbarsTo(shell);
        // The taskbar is hidden as soon as the first frame is painted, which
        // covers it: the frame does not wait for the taskbar guard's process
        // to start.
        shell.deferTaskbarHide(true);
        form.Form_Load();
        if (!form.unloaded()) {
            window.showMaximized();
            shell.deferTaskbarHide(false);
            code = window.run();
        }
    } catch (const std::exception& e) {
        // The menu could not be set up: say why, and leave the taskbar shown.
        platform::win32::restoreTaskbar();
        MessageBoxW(nullptr, platform::win32::widen(e.what()).c_str(), L"Install", MB_OK | MB_ICONERROR);
        code = 1;
    }
    return code;
}
