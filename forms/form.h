// A form: one window and its controls, with the mouse routing and painting
// that every back end shares.
//
// Routing, in the form's client-area pixels:
// - the target of an event is the visible control inside the picture box with
//   the lowest ID whose box holds the point; shapes and hidden controls never
//   take the mouse; where none does, the picture box; outside it, the form;
// - a control with no handler for an event swallows it;
// - from a button going down until the last button comes up, the control that
//   got the down receives every move and up (the platform captures the mouse);
// - a click is a left button going down and up over the same control, raised
//   after its MouseUp;
// - the second left press of a double-click (double_click.h) raises DblClick
//   instead of MouseDown, and its release MouseUp but no Click;
// - the pointer shown is that of the control the events go to.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "forms/control.h"
#include "forms/double_click.h"
#include "forms/painter.h"
#include "forms/runtime_error.h"

namespace forms {

enum class Event { MouseMove, MouseDown, MouseUp, Click, DblClick };
inline constexpr std::size_t kEventCount = 5;

enum class Button { Left = 1, Right = 2, Middle = 4 };

using Handler = std::function<void()>;

// What the form asks of the window that shows it: the host side of the host
// window seam.
class FormSite {
public:
    virtual ~FormSite() = default;
    // Part of the client area must be painted again.
    virtual void invalidate(const PixelRect& rect) = 0;
    // The form was unloaded: destroy the window now; the program ends once
    // the running handler has returned.
    virtual void unload() = 0;
};

// The pointer to show: a standard code, or a custom picture.
struct Cursor {
    int code = pointer::kDefault;
    const Picture* icon = nullptr;  // set only for code 99 with a MouseIcon
    friend bool operator==(const Cursor&, const Cursor&) = default;
};

class Form {
public:
    // Creates the window and its controls in ID order, each control's
    // pictures built by loader. The first control is the picture box that
    // contains all the others.
    Form(const WindowDef& window, std::span<const ControlDef> controls, PictureLoader& loader);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const WindowDef& window() const { return window_; }
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
    // The control of that name; a missing one is a fault of the program.
    Control& control(std::string_view name) const;
    Control* controlById(int id) const;

    void attach(FormSite* site) { site_ = site; }
    void on(Control& control, Event event, Handler handler);
    bool hasHandler(const Control& control, Event event) const;

    // Pointer input from the host, in pixels of the client area. A press
    // carries what the platform says about double-clicks; by default it is
    // a single press.
    void pointerMove(Point p);
    void pointerDown(Point p, Button b, const Press& press = {});
    void pointerUp(Point p, Button b);
    void pointerLeave();

    // The control under p that events go to; nullptr for the form itself.
    Control* hitTest(Point p) const;
    // The pointer for the last position the host reported.
    Cursor cursor() const;

    // Paints everything that lies in dirty, bottom to top.
    void paint(Painter& painter, const PixelRect& dirty) const;
    // A control's box in client-area pixels.
    PixelRect pixelBox(const Control& c) const;
    // What the control shows of its box: the box clipped by its container.
    PixelRect visibleBox(const Control& c) const;

    // Destroys the window; events after it are ignored.
    void unload();
    bool unloaded() const { return unloaded_; }

    // The window is being closed by something other than the form's own code
    // (a close request, the session ending, a signal). The default unloads.
    virtual void closeRequested();

    // Called by properties of this form's controls.
    void propertyChanged(Control& c, PropertyId id, const PixelRect& boxBefore);

protected:
    // An untrapped run-time error in a handler. The default unloads the form.
    virtual void onUnhandledError(const RuntimeError& e);

private:
    void raise(Control* target, Event event);
    void invalidate(const PixelRect& rect);
    Control* pointerTarget(Point p) const;

    WindowDef window_;
    std::vector<std::unique_ptr<Picture>> pictures_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::vector<std::array<Handler, kEventCount>> handlers_;  // by control index
    FormSite* site_ = nullptr;
    bool unloaded_ = false;

    Control* capture_ = nullptr;  // the control that got the first button down
    int buttonsDown_ = 0;
    bool leftDownOnCapture_ = false;  // a left press that may still become a click
    DoubleClickTracker clicks_;
    bool pointerInside_ = false;
    Point lastPoint_{};
};

}  // namespace forms
