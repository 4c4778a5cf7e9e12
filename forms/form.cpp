#include "forms/form.h"

#include <algorithm>
#include <new>
#include <string>

#include "forms/pointer_path.h"

namespace forms {

namespace {

std::size_t eventIndex(Event e) { return static_cast<std::size_t>(e); }

const Picture* keep(std::vector<std::unique_ptr<Picture>>& owned, PictureLoader& loader, FileImage image) {
    if (image.empty()) return nullptr;
    owned.push_back(loader.load(image));
    return owned.back().get();
}

}  // namespace

Form::Form(const WindowDef& window, std::span<const ControlDef> controls, PictureLoader& loader)
    : window_(window) {
    if (controls.empty() || controls.front().kind != Kind::PictureBox)
        throw Failure("a form needs its picture box as the first control");
    controls_.reserve(controls.size());
    for (const ControlDef& def : controls) {
        // Each control carries its own copy of its pictures.
        const Picture* picture = keep(pictures_, loader, def.picture);
        const Picture* icon = keep(pictures_, loader, def.mouseIcon);
        Control* container = controls_.empty() ? nullptr : controls_.front().get();
        controls_.push_back(std::make_unique<Control>(*this, container, def, picture, icon));
    }
    handlers_.resize(controls_.size());
    nodeOf_.assign(controls_.size(), -1);
}

Form::~Form() = default;

Control& Form::control(std::string_view name) const {
    for (const auto& c : controls_)
        if (name == c->name()) return *c;
    throw Failure("no control named " + std::string(name));
}

Control* Form::controlById(int id) const {
    for (const auto& c : controls_)
        if (c->id() == id) return c.get();
    return nullptr;
}

std::size_t Form::indexOf(const Control& c) const {
    for (std::size_t i = 0; i < controls_.size(); ++i)
        if (controls_[i].get() == &c) return i;
    throw Failure("control of another form");
}

void Form::on(Control& control, Event event, Handler handler) {
    handlers_[indexOf(control)][eventIndex(event)] = std::move(handler);
}

bool Form::hasHandler(const Control& control, Event event) const {
    return static_cast<bool>(handlers_[indexOf(control)][eventIndex(event)]);
}

PixelRect Form::pixelBox(const Control& c) const {
    TwipsRect box = c.box();
    if (const Control* parent = c.container()) {
        box.left += parent->Left;
        box.top += parent->Top;
    }
    return toPixels(box);
}

PixelRect Form::visibleBox(const Control& c) const {
    PixelRect box = pixelBox(c);
    if (const Control* parent = c.container()) box = box.intersect(pixelBox(*parent));
    return box;
}

Size Form::layoutSize() const {
    const PixelRect box = pixelBox(*controls_.front());
    return {box.right(), box.bottom()};
}

Control* Form::hitTest(Point p) const {
    const Control& box = *controls_.front();
    if (!box.Visible || !pixelBox(box).contains(p)) return nullptr;
    for (std::size_t i = 1; i < controls_.size(); ++i) {
        const Control& c = *controls_[i];
        if (!c.Visible || c.kind() == Kind::Shape) continue;
        if (visibleBox(c).contains(p)) return controls_[i].get();
    }
    return controls_.front().get();
}

Control* Form::pointerTarget(Point p) const { return capture_ ? capture_ : hitTest(p); }

Cursor Form::cursor() const {
    if (!pointerInside_ && !capture_) return {};
    const Control* c = pointerTarget(lastPoint_);
    if (!c) return {};
    int code = c->MousePointer;
    if (code == pointer::kCustom) return c->mouseIcon() ? Cursor{code, c->mouseIcon()} : Cursor{};
    return {code, nullptr};
}

void Form::raise(Control* target, Event event) {
    if (unloaded_ || !target) return;  // the form itself handles no mouse event
    const Handler& h = handlers_[indexOf(*target)][eventIndex(event)];
    if (!h) return;  // no handler: the control swallows the event
    // Counts the handlers running, also when one leaves by an exception: a
    // modal message box inside one must not let keys reach the menu.
    struct Running {
        int& n;
        explicit Running(int& count) : n(count) { ++n; }
        ~Running() { --n; }
    } running(running_);
    try {
        h();
    } catch (const RuntimeError& e) {
        onUnhandledError(e);
    } catch (const std::bad_alloc&) {
        onUnhandledError(RuntimeError(errors::kOutOfMemory, "Out of memory"));
    } catch (const std::exception&) {
        // Any other failure ends the program the same orderly way.
        onUnhandledError(RuntimeError(errors::kInternalError, "Internal error"));
    }
}

void Form::pointerMove(Point p) {
    // The pointer standing still moves nothing; a move reported while a
    // handler runs (a modal box is open in it) is not the menu's: its host
    // reports the pointer's real place once the handler has returned.
    if (unloaded_ || running_ > 0 || (pointerInside_ && p == lastPoint_)) return;
    const bool entering = !pointerInside_;
    const Point from = lastPoint_;
    pointerInside_ = true;
    lastPoint_ = p;
    Control* focusMover = nullptr;  // the last control on the way whose move moves the focus
    if (!capture_) {
        Control* background = controls_.front().get();
        Control* arriving = hitTest(p);
        if (entering && arriving && arriving != background) {
            raise(background, Event::MouseMove);  // in over the picture box, which lies around every control
            focusMover = background;
        } else if (!entering && hitTest(from) != arriving) {
            focusMover = moveAlong(from, p);
        }
        if (unloaded_) return;
    }
    // Where the pointer is now, after what the moves on the way changed.
    Control* target = pointerTarget(p);
    raise(target, Event::MouseMove);
    pointerMovedOver(movesFocus(target) || !focusMover ? target : focusMover);
}

// Walks the straight path stretch by stretch, between the points where it
// crosses the edge of a control that takes the mouse, and moves over each
// control it comes to; each stretch is hit-tested as the form is once the
// moves before it have run (they may show or hide controls). The new
// position's own control, where the path stays in it to the end, is left to
// the caller.
Control* Form::moveAlong(Point from, Point to) {
    const PointerPath path{from, to};
    // The boxes that take the mouse, by control (empty for the others), as
    // hitTest sees them: taken again after every move on the way.
    std::vector<PixelRect>& boxes = walkBoxes_;
    auto takeBoxes = [&] {
        boxes.resize(controls_.size());
        for (std::size_t i = 0; i < controls_.size(); ++i) {
            const Control& c = *controls_[i];
            boxes[i] = c.Visible && c.kind() != Kind::Shape ? visibleBox(c) : PixelRect{};
        }
    };
    // The next crossing of any of their edges after t, and who holds the
    // stretch up to it.
    auto next = [&](double t) {
        double end = 1;
        for (const PixelRect& b : boxes) end = std::min(end, path.crossing(b, t));
        return end;
    };
    auto holder = [&](double start, double end) -> Control* {
        const Point p = path.at((start + end) / 2);
        if (!boxes[0].contains(p)) return nullptr;
        for (std::size_t i = 1; i < boxes.size(); ++i)
            if (boxes[i].contains(p)) return controls_[i].get();
        return controls_.front().get();
    };

    takeBoxes();
    Control* current = hitTest(from);
    Control* focusMover = nullptr;
    double t = 0;
    // Each step passes a crossing; the bound only guards against handlers
    // that move controls without end.
    for (std::size_t step = 0; t < 1 && step < 8 * controls_.size() && !unloaded_ && !capture_; ++step) {
        double end = next(t);
        Control* there = holder(t, end);
        if (there != current) {
            // Where this control's stretches end; at the end of the path it
            // is the new position's own.
            while (end < 1) {
                const double after = next(end);
                if (!(after > end) || holder(end, after) != there) break;  // each stretch moves on
                end = after;
            }
            if (end >= 1) break;
            raise(there, Event::MouseMove);
            if (movesFocus(there)) focusMover = there;
            current = there;
            takeBoxes();
        }
        t = end;
    }
    return focusMover;
}

bool Form::movesFocus(const Control* c) const {
    if (!c) return false;
    if (c == controls_.front().get()) return true;
    const AccessibleNode* node = accessibleNode(*c);
    return node && node->entry;
}

void Form::pointerDown(Point p, Button b, const Press& press) {
    if (unloaded_) return;
    pointerInside_ = true;
    lastPoint_ = p;
    if (buttonsDown_ == 0) {
        capture_ = hitTest(p);
        leftDownOnCapture_ = false;
    }
    buttonsDown_ |= static_cast<int>(b);
    Event event = Event::MouseDown;
    if (b == Button::Left) {
        const bool second = clicks_.leftPress(capture_, p, press);
        if (second) event = Event::DblClick;
        leftDownOnCapture_ = !second;  // the release of a double-click is no click
    } else {
        clicks_.otherPress();
    }
    raise(capture_, event);
}

void Form::pointerUp(Point p, Button b) {
    if (unloaded_) return;
    lastPoint_ = p;
    if (!(buttonsDown_ & static_cast<int>(b))) return;  // an up whose down we never saw
    buttonsDown_ &= ~static_cast<int>(b);
    Control* target = capture_;
    bool click = b == Button::Left && leftDownOnCapture_ && target && hitTest(p) == target;
    if (b == Button::Left) leftDownOnCapture_ = false;
    if (buttonsDown_ == 0) capture_ = nullptr;
    raise(target, Event::MouseUp);
    if (click) raise(target, Event::Click);
}

void Form::pointerLeave() {
    if (!capture_) pointerInside_ = false;
}

void Form::invalidate(const PixelRect& rect) {
    if (site_ && !unloaded_ && !rect.empty()) site_->invalidate(rect);
}

void Form::propertyChanged(Control& c, PropertyId id, const PixelRect& boxBefore) {
    if (id == PropertyId::MousePointer) return;  // the pointer changes, the picture does not
    PixelRect after = visibleBox(c);
    invalidate(boxBefore);
    if (after != boxBefore) invalidate(after);
    if (focusCues_ && &c == focus_ && after != boxBefore) {  // its focus rectangle moves along
        invalidate(boxBefore.inflate(1));
        invalidate(after.inflate(1));
    }
    notifyAccessible(c, id);
}

void Form::paint(Painter& painter, const PixelRect& dirty) const {
    if (dirty.empty()) return;
    painter.setClip(dirty);
    painter.fillRect(dirty, window_.backColor);

    const Control& box = *controls_.front();
    if (!box.Visible) return;
    PixelRect boxRect = pixelBox(box);
    PixelRect inside = boxRect.intersect(dirty);
    if (inside.empty()) return;
    painter.setClip(inside);
    painter.fillRect(inside, box.definition().backColor);
    if (box.picture()) painter.drawPicture(*box.picture(), boxRect, false);

    // Children bottom to top: the highest ID first.
    for (std::size_t i = controls_.size(); i-- > 1;) {
        const Control& c = *controls_[i];
        if (!c.Visible) continue;
        PixelRect r = pixelBox(c);
        PixelRect clip = r.intersect(inside);
        if (clip.empty()) continue;
        painter.setClip(clip);
        const ControlDef& def = c.definition();
        switch (c.kind()) {
            case Kind::Label: {
                if (def.backStyle == BackStyle::Opaque) painter.fillRect(r, def.backColor);
                painter.drawText(c.Caption, r, textStyle(c));
                break;
            }
            case Kind::Image:
                if (c.picture()) painter.drawPicture(*c.picture(), r, def.stretch);
                break;
            case Kind::Shape:
                painter.drawShape(def.shape, r);
                break;
            case Kind::PictureBox:
                painter.fillRect(r, def.backColor);
                if (c.picture()) painter.drawPicture(*c.picture(), r, false);
                break;
        }
    }

    // The focus rectangle over everything, just around the entry's box.
    if (focusCues_ && focus_ && focus_->Visible) {
        PixelRect r = focusRect(*focus_);
        if (r.intersects(inside)) {
            painter.setClip(inside);
            painter.drawFocusRect(r);
        }
    }
}

TextStyle Form::textStyle(const Control& label) const {
    const ControlDef& def = label.definition();
    return {&def.font, label.FontUnderline, label.ForeColor, def.alignment, def.useMnemonic};
}

void Form::unload() {
    if (unloaded_) return;
    unloaded_ = true;
    capture_ = nullptr;
    buttonsDown_ = 0;
    focus_ = nullptr;
    if (site_) site_->unload();
}

void Form::closeRequested() { unload(); }

void Form::onUnhandledError(const RuntimeError&) { unload(); }

}  // namespace forms
