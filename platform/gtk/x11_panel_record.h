// What a panel loses when it is hidden from outside, and how it gets it back.
//
// A window manager forgets the desktop (_NET_WM_DESKTOP) and the states
// (_NET_WM_STATE: sticky, skip taskbar, skip pager, above...) of a window
// that is withdrawn, because a client that maps its window again is a new
// window to it. A panel sets them once, before it first maps, so a panel
// unmapped and mapped again by another program comes back on desktop 1
// only, listed in taskbars and pagers. The record keeps them, with the
// panel's place, from the moment before the panel is hidden, and puts them
// back before the panel is mapped again.
//
// Records travel to the panel guard as one line of text each; the guard
// puts them back however the menu ends.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

typedef struct _XDisplay Display;

namespace platform::gtk {

struct PanelRecord {
    std::uint32_t window = 0;
    std::optional<std::uint32_t> desktop;              // _NET_WM_DESKTOP, where the panel had one
    std::optional<std::vector<std::uint32_t>> states;  // _NET_WM_STATE's atoms, where it had any
    int x = 0, y = 0;                                  // its place on the root window
};

// The panel's record as its window manager knows it now, while it is shown.
PanelRecord recordPanel(Display* display, std::uint32_t window);
// Whether the window is mapped and all its ancestors are: on the screen.
bool isViewable(Display* display, std::uint32_t window);
// Shows a hidden panel again as it was: once its window manager has let go
// of it, its properties are written back and it is moved to its place, then
// mapped. A window that has gone, or that its program has mapped again
// itself, is left alone. The caller's error handler must let errors about
// vanished windows pass.
void restorePanel(Display* display, const PanelRecord& record);

// One line of text (without its newline) for the record, and back; a line
// that is not exactly a record gives nothing.
std::string toLine(const PanelRecord& record);
std::optional<PanelRecord> fromLine(std::string_view line);

// What the panel guard knows: the display the menu hid panels on, and the
// panels hidden now, in the order they were hidden. It learns from lines
// that arrive in pieces of any size.
class PanelLedger {
public:
    // The messages, each one line.
    static std::string displayLine(const std::string& name);
    static std::string hiddenLine(const PanelRecord& record);
    static std::string shownLine(std::uint32_t window);

    // Takes the next piece of the stream. A line that makes no sense (or an
    // overlong one) is dropped.
    void take(std::string_view bytes);

    const std::string& display() const { return display_; }
    const std::vector<PanelRecord>& hidden() const { return hidden_; }

private:
    void line(std::string_view text);

    std::string pending_;
    bool overlong_ = false;
    std::string display_;
    std::vector<PanelRecord> hidden_;
};

}  // namespace platform::gtk
