#include "platform/gtk/x11_panel_record.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <thread>

namespace platform::gtk {

namespace {

// A 32-bit property's values, or nothing where the window has no such
// property of that type.
std::optional<std::vector<std::uint32_t>> read32(Display* d, Window w, const char* name, Atom type) {
    Atom actualType;
    int format;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::optional<std::vector<std::uint32_t>> values;
    if (XGetWindowProperty(d, w, XInternAtom(d, name, False), 0, 1024, False, type, &actualType, &format, &count,
                           &after, &data) == Success &&
        actualType == type && format == 32) {
        // Xlib hands 32-bit values over as longs.
        const long* longs = reinterpret_cast<const long*>(data);
        values.emplace();
        for (unsigned long i = 0; i < count; ++i) values->push_back(static_cast<std::uint32_t>(longs[i]));
    }
    if (data) XFree(data);
    return values;
}

void write32(Display* d, Window w, const char* name, Atom type, const std::vector<std::uint32_t>& values) {
    std::vector<long> longs(values.begin(), values.end());
    XChangeProperty(d, w, XInternAtom(d, name, False), type, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(longs.data()), static_cast<int>(longs.size()));
}

// The window manager is done with the window once WM_STATE is gone or says
// Withdrawn (0); without a window manager it never had one. It may still be
// handling the unmap when the panel is to come back (a menu killed at once):
// its late clean-up would wipe what is written back.
void waitUntilWithdrawn(Display* d, Window w) {
    const Atom wmState = XInternAtom(d, "WM_STATE", False);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    for (;;) {
        const auto state = read32(d, w, "WM_STATE", wmState);
        if (!state || state->empty() || (*state)[0] == 0) return;
        if (std::chrono::steady_clock::now() > deadline) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

bool parseNumber(std::string_view text, std::uint32_t& out) {
    const char* end = text.data() + text.size();
    auto [at, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && at == end && !text.empty();
}

bool parseInt(std::string_view text, int& out) {
    const char* end = text.data() + text.size();
    auto [at, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && at == end && !text.empty();
}

// Splits off the text before the first sep; false where there is none.
bool cut(std::string_view& text, char sep, std::string_view& head) {
    const auto at = text.find(sep);
    if (at == std::string_view::npos) return false;
    head = text.substr(0, at);
    text.remove_prefix(at + 1);
    return true;
}

bool field(std::string_view& text, std::string_view name, std::string_view& value) {
    std::string_view word;
    if (!cut(text, ' ', word)) {
        word = text;
        text = {};
    }
    if (word.substr(0, name.size()) != name || word.size() <= name.size() || word[name.size()] != '=') return false;
    value = word.substr(name.size() + 1);
    return true;
}

// The longest line the ledger takes: a record with some hundred states.
constexpr std::size_t kMaxLine = 4096;

}  // namespace

bool isViewable(Display* d, std::uint32_t window) {
    XWindowAttributes a;
    return XGetWindowAttributes(d, window, &a) && a.map_state == IsViewable;
}

PanelRecord recordPanel(Display* d, std::uint32_t window) {
    PanelRecord r;
    r.window = window;
    if (auto desktop = read32(d, window, "_NET_WM_DESKTOP", XA_CARDINAL); desktop && !desktop->empty())
        r.desktop = (*desktop)[0];
    r.states = read32(d, window, "_NET_WM_STATE", XA_ATOM);
    Window child;
    XWindowAttributes a;
    if (XGetWindowAttributes(d, window, &a) &&
        XTranslateCoordinates(d, window, a.root, 0, 0, &r.x, &r.y, &child)) {
        r.x -= a.border_width;
        r.y -= a.border_width;
    }
    return r;
}

void restorePanel(Display* d, const PanelRecord& record) {
    const Window w = record.window;
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, w, &a) || a.map_state != IsUnmapped) return;
    // A panel that ended meanwhile may have left its number to a window of
    // another program, which is not ours to map.
    const auto type = read32(d, w, "_NET_WM_WINDOW_TYPE", XA_ATOM);
    const Atom dock = XInternAtom(d, "_NET_WM_WINDOW_TYPE_DOCK", False);
    if (!type || std::find(type->begin(), type->end(), dock) == type->end()) return;
    waitUntilWithdrawn(d, w);
    if (record.desktop) write32(d, w, "_NET_WM_DESKTOP", XA_CARDINAL, {*record.desktop});
    if (record.states) write32(d, w, "_NET_WM_STATE", XA_ATOM, *record.states);
    // Withdrawn, the panel is the root window's child again: its position
    // there is where the window manager will place it.
    Window root, parent, *children = nullptr;
    unsigned int n = 0;
    if (XQueryTree(d, w, &root, &parent, &children, &n) && parent == root && (a.x != record.x || a.y != record.y))
        XMoveWindow(d, w, record.x, record.y);
    if (children) XFree(children);
    XMapWindow(d, w);
}

std::string toLine(const PanelRecord& r) {
    std::string line = "window=" + std::to_string(r.window);
    line += " desktop=" + (r.desktop ? std::to_string(*r.desktop) : std::string("-"));
    line += " states=";
    if (!r.states) {
        line += '-';
    } else {
        for (std::size_t i = 0; i < r.states->size(); ++i) {
            if (i) line += ',';
            line += std::to_string((*r.states)[i]);
        }
    }
    line += " at=" + std::to_string(r.x) + ',' + std::to_string(r.y);
    return line;
}

std::optional<PanelRecord> fromLine(std::string_view line) {
    PanelRecord r;
    std::string_view value, part;
    if (!field(line, "window", value) || !parseNumber(value, r.window) || r.window == 0) return std::nullopt;
    if (!field(line, "desktop", value)) return std::nullopt;
    if (value != "-") {
        std::uint32_t desktop;
        if (!parseNumber(value, desktop)) return std::nullopt;
        r.desktop = desktop;
    }
    // "states=" with nothing after it is a property with no states.
    std::string_view rest = line;
    if (rest.substr(0, 7) != "states=") return std::nullopt;
    if (!cut(rest, ' ', value)) return std::nullopt;
    value.remove_prefix(7);
    line = rest;
    if (value != "-") {
        r.states.emplace();
        while (!value.empty()) {
            if (!cut(value, ',', part)) {
                part = value;
                value = {};
            } else if (value.empty()) {
                return std::nullopt;  // a trailing comma
            }
            std::uint32_t atom;
            if (!parseNumber(part, atom)) return std::nullopt;
            r.states->push_back(atom);
        }
    }
    if (!field(line, "at", value) || !line.empty()) return std::nullopt;
    if (!cut(value, ',', part) || !parseInt(part, r.x) || !parseInt(value, r.y)) return std::nullopt;
    return r;
}

std::string PanelLedger::displayLine(const std::string& name) { return "display " + name + '\n'; }
std::string PanelLedger::hiddenLine(const PanelRecord& record) { return "hidden " + toLine(record) + '\n'; }
std::string PanelLedger::shownLine(std::uint32_t window) { return "shown " + std::to_string(window) + '\n'; }

void PanelLedger::take(std::string_view bytes) {
    while (!bytes.empty()) {
        const auto end = bytes.find('\n');
        const std::string_view piece = bytes.substr(0, end);
        if (!overlong_) pending_.append(piece);
        if (pending_.size() > kMaxLine) {
            overlong_ = true;
            pending_.clear();
        }
        if (end == std::string_view::npos) return;
        if (!overlong_) line(pending_);
        pending_.clear();
        overlong_ = false;
        bytes.remove_prefix(end + 1);
    }
}

void PanelLedger::line(std::string_view text) {
    std::string_view verb;
    if (!cut(text, ' ', verb)) return;
    if (verb == "display" && !text.empty()) {
        display_ = std::string(text);
    } else if (verb == "hidden") {
        if (auto record = fromLine(text)) {
            // A panel hidden again after it came back by itself keeps the
            // record made while its window manager still knew it.
            for (const PanelRecord& known : hidden_)
                if (known.window == record->window) return;
            hidden_.push_back(*record);
        }
    } else if (verb == "shown") {
        std::uint32_t window;
        if (!parseNumber(text, window)) return;
        std::erase_if(hidden_, [&](const PanelRecord& r) { return r.window == window; });
    }
}

}  // namespace platform::gtk
