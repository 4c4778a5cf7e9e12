// A control of a form and its run-time properties.
//
// Handlers write properties the way the form's own language does:
//     Label8.ForeColor = colourFromText("&H00ffff00");
//     Image2.Visible = true;
// An assignment to a property the control's kind does not have raises a
// run-time error (438), a position outside 16-bit twips raises overflow (6).
// An assignment that really changes the value invalidates the control's box
// (a move invalidates the old and the new box); one that does not change it
// costs a comparison and paints nothing.
#pragma once

#include <concepts>
#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>

#include "forms/definition.h"
#include "forms/picture.h"

namespace forms {

class Form;
class Control;

enum class PropertyId { Left, Top, Width, Height, Visible, Caption, ForeColor, FontUnderline, MousePointer };

// Whether a control of this kind has the property at all.
bool kindHasProperty(Kind kind, PropertyId id);

namespace detail {
// Called by every property before and after a change.
void checkAssignable(const Control& c, PropertyId id);
void changed(Control& c, PropertyId id, const PixelRect& boxBefore);
PixelRect boxOf(const Control& c);
}  // namespace detail

template <class T>
class Property {
public:
    Property(Control& owner, PropertyId id, T initial) : owner_(owner), id_(id), value_(std::move(initial)) {}
    Property(const Property&) = delete;

    Property& operator=(const T& v) { return assign(v); }
    Property& operator=(const Property& other) { return assign(other.value_); }
    // A value of another type that compares with T, such as a text literal
    // for a caption: compared as it is, converted only when it differs.
    template <class U>
        requires(!std::is_same_v<U, T> && std::is_constructible_v<T, const U&> &&
                 std::equality_comparable_with<const T&, const U&>)
    Property& operator=(const U& v) {
        return assign(v);
    }

    const T& value() const { return value_; }
    operator const T&() const { return value_; }

private:
    template <class U>
    Property& assign(const U& v) {
        detail::checkAssignable(owner_, id_);
        if (value_ == v) return *this;
        PixelRect before = detail::boxOf(owner_);
        value_ = T(v);
        detail::changed(owner_, id_, before);
        return *this;
    }

    Control& owner_;
    PropertyId id_;
    T value_;
};

// Left, Top, Width and Height: 16-bit signed twips, assigned from a
// single-precision number and rounded to the nearest twip.
class TwipsProperty {
public:
    TwipsProperty(Control& owner, PropertyId id, int initial) : value_(owner, id, initial) {}
    TwipsProperty& operator=(double twips);
    int value() const { return value_.value(); }
    operator int() const { return value_.value(); }

private:
    Property<int> value_;
};

// The standard mouse pointer codes.
namespace pointer {
inline constexpr int kDefault = 0;
inline constexpr int kArrow = 1;
inline constexpr int kCross = 2;
inline constexpr int kIBeam = 3;
inline constexpr int kHourglass = 11;
inline constexpr int kNoDrop = 12;
inline constexpr int kArrowHourglass = 13;
inline constexpr int kArrowQuestion = 14;
inline constexpr int kSizeAll = 15;
inline constexpr int kCustom = 99;  // the picture in MouseIcon
}  // namespace pointer

class Control {
public:
    Control(Form& form, Control* container, const ControlDef& def, const Picture* picture,
            const Picture* mouseIcon);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Form& form() const { return form_; }
    Control* container() const { return container_; }
    const ControlDef& definition() const { return def_; }
    int id() const { return def_.id; }
    const char* name() const { return def_.name; }
    Kind kind() const { return def_.kind; }

    // Run-time properties.
    TwipsProperty Left, Top, Width, Height;
    Property<bool> Visible;
    Property<std::string> Caption;
    Property<Colour> ForeColor;
    Property<bool> FontUnderline;
    Property<int> MousePointer;

    // Set by the definition, read by painting and the pointer.
    const Picture* picture() const { return picture_; }
    const Picture* mouseIcon() const { return mouseIcon_; }

    TwipsRect box() const { return {Left, Top, Width, Height}; }

private:
    Form& form_;
    Control* container_;
    const ControlDef def_;
    const Picture* picture_;
    const Picture* mouseIcon_;
};

}  // namespace forms
