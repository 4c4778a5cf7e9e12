#include "platform/gtk/gtk_shell.h"

#include <spawn.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <vector>

#include "forms/runtime_error.h"
#include "platform/gtk/file_lookup.h"
#include "platform/gtk/x11_panels.h"

namespace platform::gtk {

namespace {

void reap(GPid pid, gint, gpointer) { g_spawn_close_pid(pid); }

// The desktop icon for each message type; GTK's dialog no longer shows one
// by itself, and the message box's icon is part of what it says.
const char* iconName(GtkMessageType type) {
    switch (type) {
        case GTK_MESSAGE_ERROR: return "dialog-error";
        case GTK_MESSAGE_QUESTION: return "dialog-question";
        case GTK_MESSAGE_WARNING: return "dialog-warning";
        case GTK_MESSAGE_INFO: return "dialog-information";
        default: return nullptr;
    }
}

GtkMessageType messageType(int style) {
    switch (style & 0x70) {
        case forms::box::kCritical: return GTK_MESSAGE_ERROR;
        case forms::box::kQuestion: return GTK_MESSAGE_QUESTION;
        case forms::box::kExclamation: return GTK_MESSAGE_WARNING;
        case forms::box::kInformation: return GTK_MESSAGE_INFO;
        default: return GTK_MESSAGE_OTHER;
    }
}

// Carriage returns, alone or before a line feed, become line breaks.
std::string withLineBreaks(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

forms::TaskbarWindows GtkShell::findTaskbar(const std::string&) { return {findPanels()}; }

void GtkShell::showWindow(const forms::TaskbarWindows& windows, int showCommand) {
    showPanels(windows.handles, showCommand != forms::show::kHide);
}

std::string GtkShell::appPath() {
    std::vector<char> buf(4096);
    for (;;) {
        ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size());
        if (n < 0) throw forms::RuntimeError(forms::errors::kPathNotFound, std::strerror(errno));
        if (static_cast<std::size_t>(n) < buf.size()) {
            std::string exe(buf.data(), static_cast<std::size_t>(n));
            std::size_t slash = exe.rfind('/');
            if (slash == std::string::npos) return ".";
            return slash == 0 ? "/" : exe.substr(0, slash);
        }
        buf.resize(buf.size() * 2);
    }
}

std::string GtkShell::dir(const std::string& path, int attributeMask) { return lookupFile(path, attributeMask); }

void GtkShell::startProcess(const std::string& program, const std::string& workingDirectory, int) {
    // The program alone, no shell and no command line to split: the file
    // that was found is the file that runs. posix_spawn rather than GLib's
    // spawn, which hands a file the kernel cannot execute to /bin/sh: a
    // Windows installer on a disc mounted with execute rights would be "run"
    // as a shell script and fail unseen instead of being reported.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!workingDirectory.empty()) posix_spawn_file_actions_addchdir_np(&actions, workingDirectory.c_str());
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);  // the menu's own files stay its own

    // The installer starts with the signals as a fresh process has them.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    for (int signum : {SIGTERM, SIGINT, SIGHUP, SIGPIPE, SIGCHLD}) sigaddset(&defaults, signum);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    std::vector<char> prog(program.begin(), program.end());
    prog.push_back('\0');
    char* argv[] = {prog.data(), nullptr};
    pid_t pid;
    const int err = posix_spawn(&pid, prog.data(), &actions, &attributes, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (err != 0) throw forms::RuntimeError(err, std::strerror(err));
    // Reaped by the main loop when it ends; nothing waits for it.
    g_child_watch_add(pid, reap, nullptr);
}

int GtkShell::messageBox(const std::string& prompt, int style, const std::string& title) {
    const GtkMessageType type = messageType(style);
    GtkWidget* dialog =
        gtk_message_dialog_new(owner_, static_cast<GtkDialogFlags>(GTK_DIALOG_MODAL | GTK_DIALOG_DESTROY_WITH_PARENT),
                               type, GTK_BUTTONS_OK, "%s", withLineBreaks(prompt).c_str());
    if (const char* icon = iconName(type)) {
        G_GNUC_BEGIN_IGNORE_DEPRECATIONS
        GtkWidget* image = gtk_image_new_from_icon_name(icon, GTK_ICON_SIZE_DIALOG);
        gtk_message_dialog_set_image(GTK_MESSAGE_DIALOG(dialog), image);
        gtk_widget_show(image);
        G_GNUC_END_IGNORE_DEPRECATIONS
    }
    gtk_window_set_title(GTK_WINDOW(dialog), title.c_str());
    g_object_ref(dialog);
    gtk_dialog_run(GTK_DIALOG(dialog));
    // The dialog may already be gone with its owner (the program was closed
    // while it was open).
    gtk_widget_destroy(dialog);
    g_object_unref(dialog);
    return forms::box::kOk;
}

}  // namespace platform::gtk
