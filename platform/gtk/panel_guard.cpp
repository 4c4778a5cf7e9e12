#include "platform/gtk/panel_guard.h"

#include <X11/Xlib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "platform/gtk/x11_panel_record.h"

namespace platform::gtk {

namespace {

// The menu's end of the line to its guard, or -1.
int toGuard = -1;
// The display named to the guard so far.
std::string toldDisplay;

int ignoreErrors(Display*, XErrorEvent*) { return 0; }

// The guard's whole life: follow the menu's news until the menu has gone,
// then show what it still held hidden.
[[noreturn]] void guard(int fromMenu) {
    // Signals meant for the menu (Ctrl+C in its terminal reaches the whole
    // process group) must not end the guard before the menu has gone.
    std::signal(SIGINT, SIG_IGN);
    std::signal(SIGTERM, SIG_IGN);
    std::signal(SIGHUP, SIG_IGN);
    PanelLedger ledger;
    char buffer[4096];
    // The read returns nothing once the menu's end is closed, which the
    // system does when the menu ends.
    for (;;) {
        const ssize_t n = read(fromMenu, buffer, sizeof buffer);
        if (n > 0) ledger.take({buffer, static_cast<std::size_t>(n)});
        if (n == 0 || (n < 0 && errno != EINTR)) break;
    }
    if (!ledger.hidden().empty() && !ledger.display().empty()) {
        if (Display* display = XOpenDisplay(ledger.display().c_str())) {
            XSetErrorHandler(ignoreErrors);
            for (const PanelRecord& panel : ledger.hidden()) restorePanel(display, panel);
            XCloseDisplay(display);
        }
    }
    _exit(0);
}

void tell(const std::string& message) {
    if (toGuard < 0) return;
    // A guard that is gone or stuck must not hold the menu, nor end it with
    // SIGPIPE.
    send(toGuard, message.data(), message.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
}

}  // namespace

void startPanelGuard() {
    int fds[2];
    // Close-on-exec: the installers the menu starts must not hold the menu's
    // end, or the guard would wait for them too.
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0) return;
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[1]);
        guard(fds[0]);
    }
    close(fds[0]);
    if (pid < 0) {
        close(fds[1]);
        return;
    }
    // The menu's end stays open, for its news, until this process ends.
    toGuard = fds[1];
}

void guardPanelHidden(const std::string& display, const PanelRecord& record) {
    if (display != toldDisplay) {
        tell(PanelLedger::displayLine(display));
        toldDisplay = display;
    }
    tell(PanelLedger::hiddenLine(record));
}

void guardPanelShown(std::uint32_t window) { tell(PanelLedger::shownLine(window)); }

}  // namespace platform::gtk
