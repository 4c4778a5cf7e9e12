#include "screen/form1_definition.h"

#include "screen/pictures.h"

namespace screen {

using forms::Alignment;
using forms::ControlDef;
using forms::FontDef;
using forms::Kind;
using forms::ShapeKind;
using forms::systemColour;

namespace {

// Colours of the layout, 0x00BBGGRR.
constexpr forms::Colour kGreen = 0x0000FF00;
constexpr forms::Colour kYellow = 0x0000FFFF;
constexpr forms::Colour kWhite = 0x00FFFFFF;
constexpr forms::Colour kBlack = 0x00000000;
constexpr forms::Colour kLightBlue = 0x00FFC0C0;
constexpr forms::Colour kLightOrange = 0x0080C0FF;
constexpr forms::Colour kLightYellow = 0x0080FFFF;
constexpr forms::Colour kBlue = 0x00FF0000;
constexpr forms::Colour kWindowBackground = systemColour(5);
constexpr forms::Colour kActiveBorder = systemColour(11);

// Every font of the window is bold, character set 0.
constexpr FontDef courier(double size) { return {.name = "Courier New", .size = size}; }
constexpr FontDef sansSerif(double size, bool underline = false) {
    return {.name = "MS Sans Serif", .size = size, .underline = underline};
}
constexpr FontDef tahoma(double size) { return {.name = "Tahoma", .size = size}; }

// Constant data: the compiler places the table in the read-only section as it
// stands, and nothing builds it at run time.
constexpr ControlDef kControls[] = {
    {.id = 1, .name = "Picture1", .kind = Kind::PictureBox, .group = "background",
     .box = {0, -360, 9660, 7175}, .backColor = kActiveBorder, .picture = pictures::background()},

    // Other-software panel.
    {.id = 2, .name = "Image8", .kind = Kind::Image, .group = "other-software panel",
     .box = {3480, 6360, 360, 360}, .stretch = true, .picture = pictures::disc()},
    {.id = 3, .name = "Image7", .kind = Kind::Image, .group = "other-software panel",
     .box = {3480, 5520, 360, 360}, .stretch = true, .picture = pictures::disc()},
    {.id = 4, .name = "Image6", .kind = Kind::Image, .group = "other-software panel",
     .box = {3480, 4680, 360, 360}, .stretch = true, .picture = pictures::disc()},
    {.id = 5, .name = "Label19", .kind = Kind::Label, .group = "other-software panel",
     .box = {3960, 6600, 5415, 495}, .caption = "It is specialy designed for  Readymade Garment shop.",
     .font = courier(9.75), .foreColor = kGreen},
    {.id = 6, .name = "Label18", .kind = Kind::Label, .group = "other-software panel",
     .box = {3960, 5760, 5415, 495},
     .caption = "It is specially designed for Silk cloth merchants and Manufacturers.",
     .font = courier(9.75), .foreColor = kGreen},
    {.id = 7, .name = "Label17", .kind = Kind::Label, .group = "other-software panel",
     .box = {3960, 6360, 3255, 255}, .caption = "GARMENTS SOFTWARE:", .font = sansSerif(9.75, true),
     .foreColor = kYellow},
    {.id = 8, .name = "Label16", .kind = Kind::Label, .group = "other-software panel",
     .box = {3960, 5520, 3255, 255}, .caption = "SILKS SOFTWARE:", .font = sansSerif(9.75, true),
     .foreColor = kYellow},
    {.id = 9, .name = "Label15", .kind = Kind::Label, .group = "other-software panel",
     .box = {3960, 4920, 5415, 495},
     .caption = "It is specially designed for Traders, Distributor or Holding Agencies.",
     .font = courier(9.75), .foreColor = kGreen},
    {.id = 10, .name = "Label14", .kind = Kind::Label, .group = "other-software panel",
     .box = {3960, 4680, 3255, 255}, .caption = "AGENCY SOFTWARE :", .font = sansSerif(9.75, true),
     .foreColor = kYellow},
    {.id = 11, .name = "Label13", .kind = Kind::Label, .group = "other-software panel",
     .box = {3720, 3480, 5535, 1095},
     .caption = "  You can manage your Financial  Accounts and Inventories with  on-line Billing, "
                "Multiuser and Multi Company Facilities, Using our below mentioned packages.",
     .font = courier(11.25), .foreColor = kWhite},

    // Menu labels.
    {.id = 12, .name = "Label12", .kind = Kind::Label, .group = "menu label",
     .box = {1260, 6240, 615, 315}, .caption = "EXIT", .font = tahoma(12), .foreColor = kGreen,
     .alignment = Alignment::Center, .mouseIcon = pictures::handCursor()},
    {.id = 13, .name = "Label11", .kind = Kind::Label, .group = "menu label",
     .box = {360, 5400, 2445, 405}, .caption = "OTHER SOFTWARES", .font = tahoma(12), .foreColor = kGreen,
     .alignment = Alignment::Center},
    {.id = 14, .name = "Label10", .kind = Kind::Label, .group = "menu label",
     .box = {360, 4560, 2235, 405}, .caption = "INDEX SOFTWARE", .font = tahoma(12), .foreColor = kGreen,
     .alignment = Alignment::Center, .mouseIcon = pictures::handCursor()},
    {.id = 15, .name = "Label8", .kind = Kind::Label, .group = "menu label",
     .box = {240, 3600, 2595, 405}, .caption = "ADDRESS SOFTWARE", .font = tahoma(12), .foreColor = kGreen,
     .alignment = Alignment::Center, .mouseIcon = pictures::handCursor()},

    // Marker images, one beside each menu label.
    {.id = 16, .name = "Image5", .kind = Kind::Image, .group = "marker image",
     .box = {1920, 6120, 480, 480}, .picture = pictures::hand()},
    {.id = 17, .name = "Image4", .kind = Kind::Image, .group = "marker image",
     .box = {2880, 5280, 480, 480}, .picture = pictures::hand()},
    {.id = 18, .name = "Image3", .kind = Kind::Image, .group = "marker image",
     .box = {2640, 4440, 480, 480}, .picture = pictures::hand()},
    {.id = 19, .name = "Image2", .kind = Kind::Image, .group = "marker image",
     .box = {2880, 3480, 480, 480}, .visible = false, .picture = pictures::hand()},

    // Address block.
    {.id = 20, .name = "Label7", .kind = Kind::Label, .group = "address block",
     .box = {7320, 960, 1815, 255}, .caption = maker::kTelephone, .font = sansSerif(12),
     .foreColor = kLightBlue},
    {.id = 21, .name = "Label6", .kind = Kind::Label, .group = "address block",
     .box = {7410, 720, 1695, 255}, .caption = maker::kAreaCode, .font = sansSerif(12),
     .foreColor = kLightBlue},
    {.id = 22, .name = "Label5", .kind = Kind::Label, .group = "address block",
     .box = {2040, 2160, 6735, 375}, .caption = maker::kPostalAddress, .font = sansSerif(13.5),
     .foreColor = kLightOrange, .backColor = kWindowBackground, .useMnemonic = false},

    // Description area.
    {.id = 23, .name = "Label4", .kind = Kind::Label, .group = "description area",
     .box = {3720, 4440, 5175, 2655}, .font = courier(12), .foreColor = kWhite,
     .backColor = kWindowBackground, .alignment = Alignment::Center, .useMnemonic = false},
    {.id = 24, .name = "Label3", .kind = Kind::Label, .group = "description area",
     .box = {4200, 3480, 3975, 825}, .font = courier(11.25), .foreColor = kLightYellow,
     .backColor = kWindowBackground, .alignment = Alignment::Center, .useMnemonic = false},

    // Title block: the white name over its black shadow, the logo in its shape.
    {.id = 25, .name = "Label2", .kind = Kind::Label, .group = "title block",
     .box = {3240, 1320, 4215, 735}, .caption = "Tarvelo", .font = tahoma(26.25), .foreColor = kWhite},
    {.id = 26, .name = "Label1", .kind = Kind::Label, .group = "title block",
     .box = {3315, 1395, 4095, 735}, .caption = "Tarvelo", .font = tahoma(26.25), .foreColor = kBlack},
    {.id = 27, .name = "Image1", .kind = Kind::Image, .group = "title block",
     .box = {720, 720, 1260, 585}, .stretch = true, .picture = pictures::logo()},
    // The shape draws an oval outline, 4 pixels wide, around the logo.
    {.id = 28, .name = "Shape1", .kind = Kind::Shape, .group = "title block",
     .box = {360, 480, 1935, 1095},
     .shape = {.kind = ShapeKind::Oval, .borderColor = kBlue, .borderWidth = 4}},
};

}  // namespace

const forms::WindowDef& form1Window() {
    static const forms::WindowDef window{
        .name = "Form1",
        .caption = "",
        .borderStyle = forms::BorderStyle::FixedSingle,
        .titleBar = false,
        .clientWidth = 9480,
        .clientHeight = 6840,
        .windowState = forms::WindowState::Maximized,
        .backColor = kWindowBackground,
    };
    return window;
}

std::span<const ControlDef> form1Controls() { return kControls; }

}  // namespace screen
