// The accessible tree of a form and the news it gives its observer.
#include "forms/accessible.h"

#include "forms/form.h"
#include "forms/mnemonic.h"

namespace forms {

void Form::setAccessibility(std::string windowName, std::span<const AccessibleDef> tree) {
    accessibleName_ = std::move(windowName);
    nodes_.clear();
    entries_.clear();
    nodeOf_.assign(controls_.size(), -1);
    for (const AccessibleDef& def : tree) {
        Control& c = control(def.control);
        int& slot = nodeOf_[indexOf(c)];
        if (slot >= 0) throw Failure(std::string("listed twice for readers: ") + def.control);
        slot = static_cast<int>(nodes_.size());
        nodes_.push_back({&c, def.role, def.entry});
        if (def.entry) entries_.push_back(&c);
    }
}

std::vector<AccessibleNode> Form::accessibleChildren() const {
    std::vector<AccessibleNode> shown;
    for (const AccessibleNode& n : nodes_)
        if (n.control->Visible) shown.push_back(n);
    return shown;
}

const AccessibleNode* Form::accessibleNode(const Control& c) const {
    const int i = nodeOf_[indexOf(c)];
    return i < 0 ? nullptr : &nodes_[static_cast<std::size_t>(i)];
}

std::string Form::accessibleName(const Control& c) const {
    return accessKeyText(c.Caption.value(), c.definition().useMnemonic).text;
}

const Control* Form::accessibleAt(Point p) const {
    const Control* c = hitTest(p);
    return c && accessibleNode(*c) ? c : nullptr;
}

bool Form::accessibleActionAvailable(const Control& c) const {
    const AccessibleNode* node = accessibleNode(c);
    return node && node->entry && c.Visible && !unloaded_ && !inputBlocked();
}

bool Form::accessibleFocus(const Control& c) {
    if (!accessibleActionAvailable(c)) return false;
    Control& entry = *controls_[indexOf(c)];
    if (focus_ != &entry) focusByKey(&entry);
    return true;
}

bool Form::accessibleAction(const Control& c) {
    if (!accessibleFocus(c)) return false;
    if (!unloaded_) activate(*controls_[indexOf(c)]);
    return true;
}

void Form::notifyAccessible(Control& c, PropertyId id) {
    if (id != PropertyId::Visible && id != PropertyId::Caption) return;
    if (id == PropertyId::Visible && !c.Visible && focus_ == &c) setFocus(nullptr);  // a hidden entry cannot keep it
    if (!site_ || unloaded_ || !accessibleNode(c)) return;
    if (id == PropertyId::Visible)
        site_->visibilityChanged(c, c.Visible);
    else if (c.Visible)
        site_->nameChanged(c);
}

}  // namespace forms
