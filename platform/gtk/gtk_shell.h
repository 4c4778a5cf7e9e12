// The shell services on Linux: the X11 panels stand in for the taskbar, the
// application directory is that of the running executable, files are looked
// up without regard to letter case, programs start through GLib without a
// shell, and the message box is a GTK dialog owned by the menu window.
#pragma once

#include <gtk/gtk.h>

#include "forms/shell.h"

namespace platform::gtk {

class GtkShell final : public forms::Shell {
public:
    GtkShell() = default;
    ~GtkShell() override;
    GtkShell(const GtkShell&) = delete;
    GtkShell& operator=(const GtkShell&) = delete;

    // The window that owns message boxes; forgotten by itself when the
    // window is destroyed.
    void setOwner(GtkWindow* owner);

    // Every dock window, whatever class name is asked for: a Linux desktop's
    // panels carry no Windows class.
    forms::TaskbarWindows findTaskbar(const std::string& className) override;
    void showWindow(const forms::TaskbarWindows& windows, int showCommand) override;
    char pathSeparator() const override { return '/'; }
    std::string appPath() override;
    std::string dir(const std::string& path, int attributeMask) override;
    // The show state has no meaning here: a started program shows its own
    // windows as it always does.
    void startProcess(const std::string& program, const std::string& workingDirectory, int showState) override;
    int messageBox(const std::string& prompt, int style, const std::string& title) override;

private:
    GtkWindow* owner_ = nullptr;
    gulong ownerDestroyed_ = 0;
};

}  // namespace platform::gtk
