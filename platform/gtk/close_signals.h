// The signals that end a desktop program from outside (SIGTERM from a
// session ending or `kill`, SIGINT from a terminal, SIGHUP when the terminal
// or session goes away), turned into a close request on the main loop, so
// that the program can put the desktop back in order before it ends.
#pragma once

#include <functional>
#include <vector>

namespace platform::gtk {

class CloseSignals {
public:
    // From now on each of the signals calls onClose on the main loop, once
    // per delivery, instead of ending the process.
    explicit CloseSignals(std::function<void()> onClose);
    // Gives the signals back to their default action.
    ~CloseSignals();
    CloseSignals(const CloseSignals&) = delete;
    CloseSignals& operator=(const CloseSignals&) = delete;

    // The signals handled.
    static const std::vector<int>& handled();

private:
    std::function<void()> onClose_;
    std::vector<unsigned> sources_;
};

}  // namespace platform::gtk
