// The shell services on Linux: the X11 panels as the taskbar (hidden and
// shown again by x11_panel_cover.h, which shows only what it hid), the running
// executable's directory, case-insensitive file lookup, processes started
// with posix_spawn (reaped by GLib's main loop when they end) and message
// boxes owned by the menu window (message_box.h).
#pragma once

#include <gtk/gtk.h>

#include "forms/shell.h"
#include "platform/gtk/x11_panel_cover.h"

namespace platform::gtk {

class GtkShell final : public forms::Shell {
public:
    GtkShell() = default;
    ~GtkShell() override;
    GtkShell(const GtkShell&) = delete;
    GtkShell& operator=(const GtkShell&) = delete;

    // The window that owns message boxes; none until it is set, and none
    // again once that window has been destroyed.
    void setOwner(GtkWindow* owner);

    forms::TaskbarWindows findTaskbar(const std::string& className) override;
    void showWindow(const forms::TaskbarWindows& windows, int showCommand) override;
    char pathSeparator() const override { return '/'; }
    std::string appPath() override;
    std::string dir(const std::string& path, int attributeMask) override;
    void startProcess(const std::string& program, const std::string& workingDirectory, int showState) override;
    int messageBox(const std::string& prompt, int style, const std::string& title) override;

private:
    GtkWindow* owner_ = nullptr;
    X11PanelCover panels_;
};

}  // namespace platform::gtk
