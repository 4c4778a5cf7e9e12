#include "platform/gtk/panel_guard.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "platform/gtk/x11_panels.h"

namespace platform::gtk {

namespace {

int ignoreErrors(Display*, XErrorEvent*) { return 0; }

// The guard's whole life: wait for the menu to go, then show the panels.
[[noreturn]] void guard(int menuAlive) {
    // Signals meant for the menu (Ctrl+C in its terminal reaches the whole
    // process group) must not end the guard before the menu has gone.
    std::signal(SIGINT, SIG_IGN);
    std::signal(SIGTERM, SIG_IGN);
    std::signal(SIGHUP, SIG_IGN);
    // Nothing is ever written: the read returns when the menu's end of the
    // pipe closes, which the system does when the menu ends.
    char byte;
    for (;;) {
        const ssize_t n = read(menuAlive, &byte, 1);
        if (n == 0 || (n < 0 && errno != EINTR)) break;
    }
    if (Display* display = XOpenDisplay(nullptr)) {
        XSetErrorHandler(ignoreErrors);
        showPanels(display, findPanels(display), true);
        XCloseDisplay(display);
    }
    _exit(0);
}

}  // namespace

void startPanelGuard() {
    int fds[2];
    // Close-on-exec: the installers the menu starts must not hold the menu's
    // end of the pipe, or the guard would wait for them too.
    if (pipe2(fds, O_CLOEXEC) != 0) return;
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[1]);
        guard(fds[0]);
    }
    close(fds[0]);
    if (pid < 0) close(fds[1]);
    // Otherwise the write end stays open, unused, until this process ends.
}

}  // namespace platform::gtk
