#include "platform/gtk/gtk_shell.h"

#include "platform/gtk/file_lookup.h"
#include "platform/gtk/message_box.h"
#include "platform/gtk/process_start.h"
#include "platform/gtk/x11_taskbar.h"

namespace platform::gtk {

GtkShell::~GtkShell() { setOwner(nullptr); }

void GtkShell::setOwner(GtkWindow* owner) {
    if (owner_) g_signal_handler_disconnect(owner_, ownerDestroyed_);
    owner_ = owner;
    ownerDestroyed_ = 0;
    if (!owner_) return;
    auto forget = +[](GtkWidget*, gpointer self) {
        auto* shell = static_cast<GtkShell*>(self);
        shell->owner_ = nullptr;
        shell->ownerDestroyed_ = 0;
    };
    ownerDestroyed_ = g_signal_connect(owner_, "destroy", G_CALLBACK(forget), this);
}

forms::TaskbarWindows GtkShell::findTaskbar(const std::string&) { return {findDockWindows()}; }

void GtkShell::showWindow(const forms::TaskbarWindows& windows, int showCommand) {
    setDockWindowsMapped(windows.handles, showCommand != forms::show::kHide);
}

std::string GtkShell::appPath() { return executableDirectory(); }

std::string GtkShell::dir(const std::string& path, int attributeMask) { return findFile(path, attributeMask); }

void GtkShell::startProcess(const std::string& program, const std::string& workingDirectory, int) {
    startProgram(program, workingDirectory);
}

int GtkShell::messageBox(const std::string& prompt, int style, const std::string& title) {
    return showMessageBox(owner_, prompt, style, title);
}

}  // namespace platform::gtk
