// The window definition: what the screen is made of before any code runs.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "screen/form1_definition.h"

namespace {

using forms::Kind;

TEST(Definition, TwentyEightControlsInIdOrderWithPicture1First) {
    auto controls = screen::form1Controls();
    ASSERT_EQ(controls.size(), 28u);
    std::set<std::string> names;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        EXPECT_EQ(controls[i].id, static_cast<int>(i) + 1);
        names.insert(controls[i].name);
    }
    EXPECT_EQ(names.size(), 28u);
    EXPECT_EQ(names.count("Label9"), 0u);
    EXPECT_STREQ(controls.front().name, "Picture1");
    EXPECT_STREQ(controls.back().name, "Shape1");
}

TEST(Definition, EveryPositionAndSizeOfTheLayout) {
    struct Row {
        const char* name;
        Kind kind;
        forms::TwipsRect box;
    };
    const Row expected[] = {
        {"Picture1", Kind::PictureBox, {0, -360, 9660, 7175}},
        {"Image8", Kind::Image, {3480, 6360, 360, 360}},   {"Image7", Kind::Image, {3480, 5520, 360, 360}},
        {"Image6", Kind::Image, {3480, 4680, 360, 360}},   {"Label19", Kind::Label, {3960, 6600, 5415, 495}},
        {"Label18", Kind::Label, {3960, 5760, 5415, 495}}, {"Label17", Kind::Label, {3960, 6360, 3255, 255}},
        {"Label16", Kind::Label, {3960, 5520, 3255, 255}}, {"Label15", Kind::Label, {3960, 4920, 5415, 495}},
        {"Label14", Kind::Label, {3960, 4680, 3255, 255}}, {"Label13", Kind::Label, {3720, 3480, 5535, 1095}},
        {"Label12", Kind::Label, {1260, 6240, 615, 315}},  {"Label11", Kind::Label, {360, 5400, 2445, 405}},
        {"Label10", Kind::Label, {360, 4560, 2235, 405}},  {"Label8", Kind::Label, {240, 3600, 2595, 405}},
        {"Image5", Kind::Image, {1920, 6120, 480, 480}},   {"Image4", Kind::Image, {2880, 5280, 480, 480}},
        {"Image3", Kind::Image, {2640, 4440, 480, 480}},   {"Image2", Kind::Image, {2880, 3480, 480, 480}},
        {"Label7", Kind::Label, {7320, 960, 1815, 255}},   {"Label6", Kind::Label, {7410, 720, 1695, 255}},
        {"Label5", Kind::Label, {2040, 2160, 6735, 375}},  {"Label4", Kind::Label, {3720, 4440, 5175, 2655}},
        {"Label3", Kind::Label, {4200, 3480, 3975, 825}},  {"Label2", Kind::Label, {3240, 1320, 4215, 735}},
        {"Label1", Kind::Label, {3315, 1395, 4095, 735}},  {"Image1", Kind::Image, {720, 720, 1260, 585}},
        {"Shape1", Kind::Shape, {360, 480, 1935, 1095}},
    };
    auto controls = screen::form1Controls();
    ASSERT_EQ(std::size(expected), controls.size());
    for (std::size_t i = 0; i < controls.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_STREQ(controls[i].name, expected[i].name);
        EXPECT_EQ(controls[i].kind, expected[i].kind);
        EXPECT_EQ(controls[i].box, expected[i].box);
    }
}

const forms::ControlDef& byName(const char* name) {
    for (const auto& c : screen::form1Controls())
        if (std::string(c.name) == name) return c;
    throw std::logic_error(name);
}

TEST(Definition, FontsAreBoldAndOnlyThePanelTitlesUnderlined) {
    for (const auto& c : screen::form1Controls()) {
        if (c.kind != Kind::Label) continue;
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.font.weight, 700);
        EXPECT_FALSE(c.font.italic);
        EXPECT_EQ(c.font.charset, 0);
        EXPECT_EQ(c.backStyle, forms::BackStyle::Transparent);
        std::string n = c.name;
        EXPECT_EQ(c.font.underline, n == "Label14" || n == "Label16" || n == "Label17");
        EXPECT_EQ(c.useMnemonic, !(n == "Label3" || n == "Label4" || n == "Label5"));
    }
    EXPECT_STREQ(byName("Label2").font.name, "Tahoma");
    EXPECT_EQ(byName("Label2").font.size, 26.25);
    EXPECT_STREQ(byName("Label13").font.name, "Courier New");
    EXPECT_EQ(byName("Label13").font.size, 11.25);
    EXPECT_STREQ(byName("Label5").font.name, "MS Sans Serif");
    EXPECT_EQ(byName("Label5").font.size, 13.5);
}

TEST(Definition, MenuLabelsGreenCentredAndAllButOtherSoftwaresWithTheHandPointer) {
    for (const char* name : {"Label8", "Label10", "Label11", "Label12"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(byName(name).foreColor, 0x0000FF00u);
        EXPECT_EQ(byName(name).alignment, forms::Alignment::Center);
    }
    EXPECT_TRUE(byName("Label11").mouseIcon.empty());
    EXPECT_EQ(byName("Label8").mouseIcon.data(), byName("Label10").mouseIcon.data());
    EXPECT_FALSE(byName("Image2").visible);
    for (const auto& c : screen::form1Controls()) {
        if (std::string(c.name) != "Image2") {
            EXPECT_TRUE(c.visible) << c.name;
        }
    }
}

TEST(Definition, TitleShadowLiesFivePixelsRightAndBelowTheWhiteName) {
    const auto& white = byName("Label2");
    const auto& black = byName("Label1");
    EXPECT_STREQ(white.caption, black.caption);
    EXPECT_EQ(black.box.left - white.box.left, 75);
    EXPECT_EQ(black.box.top - white.box.top, 75);
    EXPECT_LT(white.id, black.id) << "the white name lies above its shadow";
    EXPECT_EQ(white.foreColor, 0x00FFFFFFu);
    EXPECT_EQ(black.foreColor, 0x00000000u);
}

TEST(Definition, TheShapeEnclosesTheLogoAndLiesLowest) {
    const auto& shape = byName("Shape1");
    const auto& logo = byName("Image1");
    EXPECT_EQ(shape.id, 28);
    for (int margin : {logo.box.left - shape.box.left, logo.box.top - shape.box.top,
                       shape.box.left + shape.box.width - logo.box.left - logo.box.width,
                       shape.box.top + shape.box.height - logo.box.top - logo.box.height}) {
        EXPECT_GE(margin, 240);
        EXPECT_LE(margin, 360);
    }
    EXPECT_EQ(shape.shape.borderWidth, 4);
    EXPECT_EQ(shape.shape.borderColor, 0x00FF0000u);
}

TEST(Definition, TheWindow) {
    const auto& w = screen::form1Window();
    EXPECT_STREQ(w.caption, "");
    EXPECT_FALSE(w.titleBar);
    EXPECT_EQ(w.borderStyle, forms::BorderStyle::FixedSingle);
    EXPECT_EQ(w.clientWidth, 9480);
    EXPECT_EQ(w.clientHeight, 6840);
    EXPECT_EQ(w.windowState, forms::WindowState::Maximized);
    EXPECT_EQ(w.backColor, 0x80000005u);
    EXPECT_EQ(byName("Picture1").backColor, 0x8000000Bu);
}

}  // namespace
