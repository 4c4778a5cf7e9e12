// What the description area and the other-software panel show after each
// kind of movement.
#include "menu/texts.h"
#include "tests/unit/form1_fixture.h"

namespace {

const char* const kPanel[] = {"Label13", "Label14", "Label15", "Label16", "Label17",
                              "Label18", "Label19", "Image6",  "Image7",  "Image8"};

class DescriptionAreaTest : public Form1Test {
protected:
    std::string prompt() const { return form.Label3.Caption; }
    std::string description() const { return form.Label4.Caption; }
    bool panelShown() const {
        int shown = 0;
        for (const char* n : kPanel) shown += form.control(n).Visible ? 1 : 0;
        EXPECT_TRUE(shown == 0 || shown == 10) << "the panel shows or hides as a whole";
        return shown == 10;
    }
};

TEST_F(DescriptionAreaTest, StartsEmptyWithThePanelButNotItsMarker) {
    EXPECT_EQ(prompt(), "");
    EXPECT_EQ(description(), "");
    EXPECT_TRUE(panelShown());
    EXPECT_FALSE(form.Image4.Visible);
}

TEST_F(DescriptionAreaTest, BackgroundShowsTheInstructionAndHidesThePanel) {
    form.pointerMove(background());
    EXPECT_EQ(prompt(), " ") << "the blank prompt is one space, not an empty text";
    EXPECT_EQ(description(), "Move your Mouse over the Text and see the instruction");
    EXPECT_FALSE(panelShown());
}

TEST_F(DescriptionAreaTest, InstallEntriesWriteTheirPromptAndDescription) {
    moveOver(form.Label8);
    EXPECT_EQ(prompt(), "Click to Install ADDRESS-BOOK Utility Software");
    EXPECT_EQ(description().size(), 233u);
    EXPECT_EQ(description().front(), ' ');
    moveOver(form.Label10);
    EXPECT_EQ(prompt(), "Click to Install OFFICE AUTOMATION SOFTWARE");
    EXPECT_EQ(description().size(), 273u);
    EXPECT_NE(description().find("Accountants & Income"), std::string::npos);
    EXPECT_TRUE(form.Label3.Visible);
    EXPECT_TRUE(form.Label4.Visible);
}

TEST_F(DescriptionAreaTest, ExitPromptGoesIntoTheDescriptionAndLeavesThePromptAsItWas) {
    form.pointerMove(background());
    moveOver(form.Label12);
    EXPECT_EQ(prompt(), " ");
    EXPECT_EQ(description(), "Click to EXIT");

    moveOver(form.Label10);
    form.Label12_MouseMove();  // its handler right after an install entry's
    EXPECT_EQ(prompt(), "Click to Install OFFICE AUTOMATION SOFTWARE");
    EXPECT_EQ(description(), "Click to EXIT");
}

TEST_F(DescriptionAreaTest, OtherSoftwaresOpensThePanelWithItsMarkerAndEmptiesOnlyTheDescription) {
    form.pointerMove(background());
    moveOver(form.Label8);
    form.pointerMove(background());  // panel hidden now
    moveOver(form.Label11);
    EXPECT_TRUE(panelShown());
    EXPECT_TRUE(form.Image4.Visible);
    EXPECT_EQ(description(), "");
    EXPECT_EQ(prompt(), " ");
    // Another entry's handler writes its texts while the panel stays up (the
    // pointer crosses the background on the way, which closes it first).
    form.Label8_MouseMove();
    EXPECT_TRUE(panelShown());
    EXPECT_EQ(prompt(), "Click to Install ADDRESS-BOOK Utility Software");
}

TEST_F(DescriptionAreaTest, MakerLabelsAndLogoShowTheContactLineWhileThePanelStays) {
    const std::string contact = std::string("Contact Tarvelo,  e-mail Address: ") + menu::kMakerEmail + " ";
    // Their handlers right after OTHER SOFTWARES' (the pointer crosses the
    // background on the way, which closes the panel first).
    for (auto [c, handler] : {std::pair{&form.Image1, &Form1::Image1_MouseMove},
                              {&form.Label2, &Form1::Label2_MouseMove}, {&form.Label5, &Form1::Label5_MouseMove},
                              {&form.Label6, &Form1::Label6_MouseMove}, {&form.Label7, &Form1::Label7_MouseMove}}) {
        SCOPED_TRACE(c->name());
        form.pointerMove(background());
        moveOver(form.Label11);
        form.Label4.Caption = "";
        (form.*handler)();
        EXPECT_EQ(prompt(), contact);
        EXPECT_EQ(description().size(), 218u);
        EXPECT_TRUE(panelShown());
        EXPECT_EQ(form.Label11.ForeColor, 0x00FFFF00u) << "no menu label is touched";
    }
    EXPECT_NE(std::string(menu::kMakerEmail).find(".example"), std::string::npos);
}

TEST_F(DescriptionAreaTest, TheShadowOfTheNameHasNoHandler) {
    // Label1 lies under Label2 but shows right of and below it: only there it takes the mouse.
    forms::PixelRect white = form.visibleBox(form.Label2), black = form.visibleBox(form.Label1);
    forms::Point shadowOnly{black.right() - 2, black.bottom() - 2};
    ASSERT_FALSE(white.contains(shadowOnly));
    form.pointerMove({shadowOnly.x, black.bottom()});  // the background just below it
    form.Label3.Caption = "";
    form.pointerMove(shadowOnly);
    EXPECT_EQ(prompt(), "");
}

}  // namespace
