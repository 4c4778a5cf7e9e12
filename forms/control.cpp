#include "forms/control.h"

#include <cmath>
#include <limits>

#include "forms/form.h"
#include "forms/runtime_error.h"

namespace forms {

namespace {

// Which kinds have which run-time property.
struct KindProperties {
    PropertyId id;
    bool pictureBox, label, image, shape;
};

constexpr KindProperties kKindProperties[] = {
    // property                 picture box  label  image  shape
    {PropertyId::Left,          true,        true,  true,  true},
    {PropertyId::Top,           true,        true,  true,  true},
    {PropertyId::Width,         true,        true,  true,  true},
    {PropertyId::Height,        true,        true,  true,  true},
    {PropertyId::Visible,       true,        true,  true,  true},
    {PropertyId::Caption,       false,       true,  false, false},
    {PropertyId::ForeColor,     true,        true,  false, false},
    {PropertyId::FontUnderline, true,        true,  false, false},
    {PropertyId::MousePointer,  true,        true,  true,  false},
};

}  // namespace

bool kindHasProperty(Kind kind, PropertyId id) {
    for (const auto& row : kKindProperties) {
        if (row.id != id) continue;
        switch (kind) {
            case Kind::PictureBox: return row.pictureBox;
            case Kind::Label: return row.label;
            case Kind::Image: return row.image;
            case Kind::Shape: return row.shape;
        }
    }
    return false;
}

namespace detail {

void checkAssignable(const Control& c, PropertyId id) {
    if (!kindHasProperty(c.kind(), id))
        throw RuntimeError(errors::kNotSupported, "Object doesn't support this property or method");
}

void changed(Control& c, PropertyId id, const PixelRect& boxBefore) { c.form().propertyChanged(c, id, boxBefore); }

PixelRect boxOf(const Control& c) { return c.form().visibleBox(c); }

}  // namespace detail

TwipsProperty& TwipsProperty::operator=(double twips) {
    if (!std::isfinite(twips)) throw RuntimeError(errors::kOverflow, "Overflow");
    double rounded = std::nearbyint(twips);
    if (rounded < std::numeric_limits<std::int16_t>::min() || rounded > std::numeric_limits<std::int16_t>::max())
        throw RuntimeError(errors::kOverflow, "Overflow");
    value_ = static_cast<int>(rounded);
    return *this;
}

Control::Control(Form& form, Control* container, const ControlDef& def, const Picture* picture,
                 const Picture* mouseIcon)
    : Left(*this, PropertyId::Left, def.box.left),
      Top(*this, PropertyId::Top, def.box.top),
      Width(*this, PropertyId::Width, def.box.width),
      Height(*this, PropertyId::Height, def.box.height),
      Visible(*this, PropertyId::Visible, def.visible),
      Caption(*this, PropertyId::Caption, def.caption),
      ForeColor(*this, PropertyId::ForeColor, def.foreColor),
      FontUnderline(*this, PropertyId::FontUnderline, def.font.underline),
      MousePointer(*this, PropertyId::MousePointer, pointer::kDefault),
      form_(form),
      container_(container),
      def_(def),
      picture_(picture),
      mouseIcon_(mouseIcon) {}

}  // namespace forms
