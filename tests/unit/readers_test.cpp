// What a screen reader finds in the menu: the tree's names, roles and boxes,
// what it hears as the menu changes, and the entries' default action.
#include "menu/texts.h"
#include "tests/unit/form1_fixture.h"

namespace {

using forms::AccessibleRole;
using Lines = std::vector<std::string>;

class ReadersTest : public Form1Test {
protected:
    Lines children() const {
        Lines out;
        for (const forms::AccessibleNode& n : form.accessibleChildren())
            out.push_back(std::string(n.role == AccessibleRole::Link ? "link " : "text ") + n.control->name() + " [" +
                          form.accessibleName(*n.control) + "]");
        return out;
    }
    Lines news() { return std::exchange(site.news, {}); }
};

TEST_F(ReadersTest, TheWindowIsNamedForTheProductAndTheEntriesAreLinksNamedByTheirCaptions) {
    EXPECT_EQ(form.accessibleName(), "Tarvelo Installation");
    Lines links;
    for (const forms::AccessibleNode& n : form.accessibleChildren())
        if (n.entry) links.push_back(std::string(n.role == AccessibleRole::Link ? "link " : "? ") +
                                     form.accessibleName(*n.control));
    EXPECT_EQ(links, (Lines{"link ADDRESS SOFTWARE", "link INDEX SOFTWARE", "link OTHER SOFTWARES", "link EXIT"}));
}

TEST_F(ReadersTest, AtStartTheTextsAndTheOpenPanelAreReadInReadingOrder) {
    const Lines start = children();
    ASSERT_EQ(start.size(), 17u);
    EXPECT_EQ(start[2], "text Label2 [Tarvelo]") << "the name once: its shadow copy is left out";
    EXPECT_EQ(start[8], "text Label3 []");
    EXPECT_EQ(start[9], "text Label4 []");
    EXPECT_EQ(start[10].rfind("text Label13 [  You can manage", 0), 0u);
    EXPECT_EQ(start[16], "text Label19 [It is specialy designed for  Readymade Garment shop.]");
    for (const std::string& line : start)
        EXPECT_TRUE(line.find("Image") == std::string::npos && line.find("Shape") == std::string::npos &&
                    line.find("Label1 ") == std::string::npos)
            << line;
}

TEST_F(ReadersTest, HiddenControlsLeaveTheTreeAndTheBoxesAreWhatTheyShow) {
    form.pointerMove(background());
    const Lines after = children();
    EXPECT_EQ(after.size(), 10u) << "the seven panel labels are gone";
    EXPECT_EQ(after.back(), std::string("text Label4 [") + menu::kInstruction + "]");
    for (const forms::AccessibleNode& n : form.accessibleChildren())
        EXPECT_EQ(form.accessibleBox(*n.control), form.visibleBox(*n.control)) << n.control->name();
    EXPECT_EQ(form.accessibleBox(form.Label8), (forms::PixelRect{17, 241, 173, 27}));
}

TEST_F(ReadersTest, TheOfficeDescriptionKeepsItsAmpersand) {
    moveOver(form.Label10);
    EXPECT_EQ(form.accessibleName(form.Label4), menu::kOfficeDescription);
}

TEST_F(ReadersTest, TheFirstTabIsHeardAsTheResetThenTheNewDescriptionThenTheFocus) {
    press(forms::Key::Tab);
    EXPECT_EQ(news(), (Lines{"name Label3", "name Label4", "hide Label13", "hide Label14", "hide Label15",
                             "hide Label16", "hide Label17", "hide Label18", "hide Label19", "name Label3",
                             "name Label4", "focus Label8"}));
    press(forms::Key::Tab);
    EXPECT_EQ(news(), (Lines{"name Label3", "name Label4", "name Label3", "name Label4", "focus Label10"}));
    press(forms::Key::Tab);
    EXPECT_EQ(news(), (Lines{"name Label3", "name Label4", "show Label13", "show Label14", "show Label15",
                             "show Label16", "show Label17", "show Label18", "show Label19", "name Label4",
                             "focus Label11"}));
}

TEST_F(ReadersTest, TheDefaultActionOnIndexSoftwareStartsItsInstaller) {
    shell.lookup = [](const std::string&, int) { return std::string("QUV.exe"); };
    form.pointerMove(background());
    EXPECT_TRUE(form.accessibleAction(form.Label10));
    ASSERT_EQ(shell.starts.size(), 1u);
    EXPECT_EQ(shell.starts[0].program, "C:\\Menu\\QUV.exe");
    EXPECT_EQ(form.focused(), &form.Label10);
    EXPECT_EQ(form.Label3.Caption.value(), menu::kOfficePrompt) << "the entry's description came first";
    EXPECT_FALSE(form.accessibleAction(form.Label4)) << "text has no action";
    EXPECT_EQ(shell.starts.size(), 1u);
}

}  // namespace
