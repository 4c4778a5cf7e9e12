// The plain values a form is made from: one WindowDef for the window and one
// ControlDef per control, in the style of a form file. Every field has the
// default a freshly drawn control of that kind would have, so a definition
// names only what differs.
#pragma once

#include <cstdint>
#include <span>

#include "forms/colour.h"
#include "forms/geometry.h"

namespace forms {

enum class Kind { PictureBox, Label, Image, Shape };
enum class Alignment { Left, Right, Center };
enum class BackStyle { Transparent, Opaque };
enum class BorderStyle { None, FixedSingle };
enum class WindowState { Normal, Minimized, Maximized };

// The outline a shape draws.
enum class ShapeKind { Rectangle, Square, Oval, Circle, RoundedRectangle, RoundedSquare };

// How a shape's inside is painted.
enum class FillStyle { Solid, Transparent, HorizontalLines };

using FileImage = std::span<const std::uint8_t>;

struct FontDef {
    const char* name = "MS Sans Serif";
    double size = 8.25;  // points
    bool underline = false;
    int weight = 700;
    bool italic = false;
    bool strikethrough = false;
    int charset = 0;
    bool bold() const { return weight >= 700; }
};

struct ShapeDef {
    ShapeKind kind = ShapeKind::Rectangle;
    Colour borderColor = systemColour(8);
    int borderWidth = 1;  // pixels
    FillStyle fillStyle = FillStyle::Transparent;
    Colour fillColor = 0x00000000;
};

struct ControlDef {
    int id = 0;
    const char* name = "";
    Kind kind = Kind::Label;
    const char* group = "";  // which part of the screen it belongs to
    TwipsRect box{};
    const char* caption = "";
    FontDef font{};
    Colour foreColor = systemColour(18);
    Colour backColor = systemColour(15);
    BackStyle backStyle = BackStyle::Transparent;
    Alignment alignment = Alignment::Left;
    bool useMnemonic = true;
    bool visible = true;
    bool stretch = false;
    FileImage picture{};    // the picture's complete file image (BMP, ICO or WMF)
    FileImage mouseIcon{};  // an icon file image, the pointer for MousePointer 99
    ShapeDef shape{};
};

struct WindowDef {
    const char* name = "Form1";
    const char* caption = "";
    BorderStyle borderStyle = BorderStyle::FixedSingle;
    bool titleBar = false;
    int clientWidth = 0;  // twips
    int clientHeight = 0;
    WindowState windowState = WindowState::Normal;
    Colour backColor = systemColour(15);
};

}  // namespace forms
