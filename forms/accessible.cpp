// The accessible tree of a form and the news it gives its observer.
#include "forms/accessible.h"

#include "forms/form.h"
#include "forms/mnemonic.h"

namespace forms {

namespace {

constexpr const char* kBlanks = " \t\r\n";

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// Appends a part as the next sentence: a part that does not end a sentence
// of its own gets a full stop, so that a reader pauses between them.
void appendSentence(std::string& out, std::string_view part) {
    part = trimmed(part);
    if (part.empty()) return;
    if (!out.empty()) {
        const char last = out.back();
        if (last != '.' && last != ':' && last != '!' && last != '?') out += '.';
        out += ' ';
    }
    out += part;
}

}  // namespace

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
        for (const char* name : def.describedBy) control(name);  // a name the form lacks is a fault now, not later
        nodes_.push_back({&c, def.role, def.entry, def.description, def.describedBy});
        if (def.entry) entries_.push_back(&c);
    }
    inTree_.clear();
    for (const AccessibleNode& n : nodes_) inTree_.push_back(inAccessibleTree(*n.control));
}

bool Form::inAccessibleTree(const Control& c) const {
    if (!c.Visible || !accessibleNode(c)) return false;
    return c.kind() != Kind::Label || !trimmed(accessibleName(c)).empty();
}

std::vector<AccessibleNode> Form::accessibleChildren() const {
    std::vector<AccessibleNode> shown;
    for (const AccessibleNode& n : nodes_)
        if (inAccessibleTree(*n.control)) shown.push_back(n);
    return shown;
}

const AccessibleNode* Form::accessibleNode(const Control& c) const {
    const int i = nodeOf_[indexOf(c)];
    return i < 0 ? nullptr : &nodes_[static_cast<std::size_t>(i)];
}

std::string Form::accessibleName(const Control& c) const {
    return accessKeyText(c.Caption.value(), c.definition().useMnemonic).text;
}

std::string Form::accessibleDescription(const Control& c) const {
    std::string out;
    const AccessibleNode* node = accessibleNode(c);
    if (!node) return out;
    for (const char* text : node->description) appendSentence(out, text);
    for (const char* name : node->describedBy) appendSentence(out, accessibleName(control(name)));
    return out;
}

// A text lies where its text is; an entry is its whole box, where it takes
// the pointer and the focus rectangle surrounds it.
PixelRect Form::accessibleBox(const Control& c) const {
    const PixelRect shown = visibleBox(c);
    const AccessibleNode* node = accessibleNode(c);
    if (c.kind() != Kind::Label || !site_ || (node && node->entry)) return shown;
    return site_->textBounds(c.Caption.value(), pixelBox(c), textStyle(c)).intersect(shown);
}

// The topmost child whose box holds p: a reader points at what it reads,
// so a text is found where its text is, also under another control's box.
const Control* Form::accessibleAt(Point p) const {
    const Control& box = *controls_.front();
    if (!box.Visible || !pixelBox(box).contains(p)) return nullptr;
    for (std::size_t i = 1; i < controls_.size(); ++i) {
        const Control& c = *controls_[i];
        if (inAccessibleTree(c) && accessibleBox(c).contains(p)) return &c;
    }
    return nullptr;
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
    const int node = nodeOf_[indexOf(c)];
    if (node < 0) return;
    // A caption can bring a label into the tree or take it out, as showing
    // and hiding does.
    const bool was = inTree_[static_cast<std::size_t>(node)], now = inAccessibleTree(c);
    inTree_[static_cast<std::size_t>(node)] = now;
    if (!site_ || unloaded_) return;
    if (was != now)
        site_->visibilityChanged(c, now);
    else if (now && id == PropertyId::Caption)
        site_->nameChanged(c);
}

}  // namespace forms
