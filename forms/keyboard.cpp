// The keyboard focus of a form: which entry has it, what a key does with it,
// and how the pointer moves it. The rules are listed in form.h.
#include "forms/form.h"

namespace forms {

namespace {

// +1 for the keys that go forward, -1 for those that go back, 0 for the rest.
int stepOf(const KeyPress& k) {
    switch (k.key) {
        case Key::Tab: return (k.modifiers & modifier::kShift) ? -1 : 1;
        case Key::Down:
        case Key::Right: return 1;
        case Key::Up:
        case Key::Left: return -1;
        case Key::Enter:
        case Key::Space:
        case Key::Escape: break;
    }
    return 0;
}

}  // namespace

bool Form::inputBlocked() const { return buttonsDown_ != 0 || running_ > 0; }

bool Form::keyDown(const KeyPress& k) {
    if (unloaded_) return false;
    if (k.modifiers & (modifier::kControl | modifier::kAlt)) return false;  // the platform's, as Alt+F4
    if (inputBlocked()) return true;

    if (const int step = stepOf(k)) {
        showFocusCues();
        if (Control* next = nextEntry(step)) focusByKey(next);
        return true;
    }
    if (k.repeat) return true;  // a held Enter, Space or Escape acts once
    showFocusCues();
    if (k.key == Key::Escape) {
        raise(controls_.front().get(), Event::MouseMove);
        if (!unloaded_) setFocus(nullptr);
    } else if (focus_) {
        activate(*focus_);
    }
    return true;
}

// The visible entry step places away from the focus, round the ends; from no
// focus, the first one forward or the last one back.
Control* Form::nextEntry(int step) const {
    const int n = static_cast<int>(entries_.size());
    if (n == 0) return nullptr;
    int at = -1;
    for (int i = 0; i < n; ++i)
        if (entries_[i] == focus_) at = i;
    if (at < 0) at = step > 0 ? n - 1 : 0;
    for (int tried = 0; tried < n; ++tried) {
        at = ((at + step) % n + n) % n;
        if (entries_[at]->Visible) return entries_[at];
    }
    return nullptr;
}

// As if the pointer came from the background onto the entry.
void Form::focusByKey(Control* entry) {
    raise(controls_.front().get(), Event::MouseMove);
    raise(entry, Event::MouseMove);
    if (!unloaded_) setFocus(entry);
}

// As a left click on the entry. It is no mouse press, so it also ends any
// pending first press of a double-click.
void Form::activate(Control& entry) {
    clicks_.otherPress();
    raise(&entry, Event::MouseDown);
    raise(&entry, Event::MouseUp);
    raise(&entry, Event::Click);
}

void Form::setFocus(Control* entry) {
    if (focus_ == entry) return;
    invalidateFocus();
    focus_ = entry;
    invalidateFocus();
    if (site_) site_->focusChanged(entry);
}

void Form::showFocusCues() {
    if (focusCues_) return;
    focusCues_ = true;
    invalidateFocus();
}

PixelRect Form::focusRect(const Control& entry) const { return visibleBox(entry).inflate(1); }

void Form::invalidateFocus() {
    if (focusCues_ && focus_) invalidate(focusRect(*focus_));
}

void Form::pointerMovedOver(Control* target) {
    if (unloaded_ || !target) return;
    if (target == controls_.front().get()) {
        setFocus(nullptr);  // the background's handler took every entry out of hover
        return;
    }
    const AccessibleNode* node = accessibleNode(*target);
    if (node && node->entry) setFocus(target);
}

}  // namespace forms
