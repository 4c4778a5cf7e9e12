#include "platform/gtk/gtk_shell.h"

#include <spawn.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <vector>

#include "forms/runtime_error.h"
#include "platform/gtk/file_lookup.h"
#include "platform/gtk/message_box.h"
#include "platform/gtk/opengl_opt_out.h"
#include "platform/gtk/x11_panels.h"

namespace platform::gtk {

namespace {

void reap(GPid pid, gint, gpointer) { g_spawn_close_pid(pid); }

}  // namespace

forms::TaskbarWindows GtkShell::findTaskbar(const std::string&) { return {findPanels()}; }

void GtkShell::showWindow(const forms::TaskbarWindows& windows, int showCommand) {
    if (showCommand == forms::show::kHide)
        panels_.hide(windows.handles);
    else
        panels_.show();
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

    // The installer starts with the signals as a fresh process has them, in
    // a session of its own: Ctrl+C or a hang-up in the terminal that started
    // the menu, or anything else sent to the menu's process group, does not
    // reach a setup that is running.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    for (int signum : {SIGTERM, SIGINT, SIGHUP, SIGPIPE, SIGCHLD}) sigaddset(&defaults, signum);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID);

    std::vector<char> prog(program.begin(), program.end());
    prog.push_back('\0');
    char* argv[] = {prog.data(), nullptr};
    pid_t pid;
    std::vector<char*> environment = childEnvironment();
    const int err = posix_spawn(&pid, prog.data(), &actions, &attributes, argv, environment.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (err != 0) throw forms::RuntimeError(err, std::strerror(err));
    // Reaped by the main loop when it ends; nothing waits for it.
    g_child_watch_add(pid, reap, nullptr);
}

int GtkShell::messageBox(const std::string& prompt, int style, const std::string& title) {
    return runMessageBox(owner_, prompt, style, title);
}

void GtkShell::setOwner(GtkWindow* owner) {
    if (owner_) g_object_remove_weak_pointer(G_OBJECT(owner_), reinterpret_cast<gpointer*>(&owner_));
    owner_ = owner;
    // Cleared when the window goes, so that a late message box has no owner
    // rather than a dead one.
    if (owner_) g_object_add_weak_pointer(G_OBJECT(owner_), reinterpret_cast<gpointer*>(&owner_));
}

GtkShell::~GtkShell() { setOwner(nullptr); }

}  // namespace platform::gtk
