// What a screen reader finds in the menu: the tree's names, roles and boxes,
// what it hears as the menu changes, and the entries' default action.
#include "menu/texts.h"
#include "platform/headless/headless_window.h"
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
    ASSERT_EQ(start.size(), 15u) << "the empty description area is not read";
    EXPECT_EQ(start[2], "text Label2 [Tarvelo]") << "the name once: its shadow copy is left out";
    EXPECT_EQ(start[7], "link Label12 [EXIT]");
    EXPECT_EQ(start[8].rfind("text Label13 [  You can manage", 0), 0u);
    EXPECT_EQ(start[14], "text Label19 [It is specialy designed for  Readymade Garment shop.]");
    for (const std::string& line : start)
        EXPECT_TRUE(line.find("Image") == std::string::npos && line.find("Shape") == std::string::npos &&
                    line.find("Label1 ") == std::string::npos)
            << line;
}

TEST_F(ReadersTest, HiddenControlsLeaveTheTreeAndTheBoxesAreWhatTheyShow) {
    form.pointerMove(background());
    const Lines after = children();
    EXPECT_EQ(after.size(), 9u) << "the seven panel labels are gone, and the blank prompt is not read";
    EXPECT_EQ(after.back(), std::string("text Label4 [") + menu::kInstruction + "]");
    EXPECT_FALSE(form.inAccessibleTree(form.Label3)) << "one space is nothing to read";
    for (const forms::AccessibleNode& n : form.accessibleChildren())
        EXPECT_EQ(form.accessibleBox(*n.control), form.visibleBox(*n.control)) << n.control->name();
    EXPECT_EQ(form.accessibleBox(form.Label8), (forms::PixelRect{17, 241, 173, 27}));
}

TEST_F(ReadersTest, TheOfficeDescriptionKeepsItsAmpersand) {
    moveOver(form.Label10);
    EXPECT_EQ(form.accessibleName(form.Label4), menu::kOfficeDescription);
}

TEST_F(ReadersTest, TheFirstTabIsHeardAsTheResetThenTheNewDescriptionThenTheFocus) {
    // A description label joins the tree when it gets something to read and
    // leaves it when it is emptied or blank, as showing and hiding do.
    press(forms::Key::Tab);
    EXPECT_EQ(news(), (Lines{"show Label4", "hide Label13", "hide Label14", "hide Label15", "hide Label16",
                             "hide Label17", "hide Label18", "hide Label19", "show Label3", "name Label4",
                             "focus Label8"}));
    press(forms::Key::Tab);
    EXPECT_EQ(news(), (Lines{"hide Label3", "name Label4", "show Label3", "name Label4", "focus Label10"}));
    press(forms::Key::Tab);
    EXPECT_EQ(news(), (Lines{"hide Label3", "name Label4", "show Label13", "show Label14", "show Label15",
                             "show Label16", "show Label17", "show Label18", "show Label19", "hide Label4",
                             "focus Label11"}));
    press(forms::Key::Escape);
    EXPECT_EQ(news().back(), "focus none") << "Escape gives the focus to the window itself";
}

TEST_F(ReadersTest, EachEntryCarriesWhatTheDescriptionAreaShowsForIt) {
    EXPECT_EQ(form.accessibleDescription(form.Label8),
              std::string(menu::kAddressPrompt) + ". " + (menu::kAddressDescription + 1))
        << "the prompt as a sentence of its own, the description without its leading space";
    EXPECT_EQ(form.accessibleDescription(form.Label10),
              std::string(menu::kOfficePrompt) + ". " + menu::kOfficeDescription);
    EXPECT_EQ(form.accessibleDescription(form.Label12), menu::kExitPrompt);
    // Whatever the description area shows now, the entry says the same.
    moveOver(form.Label12);
    EXPECT_EQ(form.accessibleDescription(form.Label8).rfind(menu::kAddressPrompt, 0), 0u);
    moveOver(form.Label8);
    EXPECT_EQ(form.accessibleDescription(form.Label8),
              form.Label3.Caption.value() + ". " + form.Label4.Caption.value().substr(1));

    EXPECT_EQ(form.accessibleDescription(form.Label4), "") << "texts carry no description";
}

TEST_F(ReadersTest, OtherSoftwaresDescribesThePanelsProductsInReadingOrderEvenWhileItIsHidden) {
    form.pointerMove(background());
    ASSERT_FALSE(form.Label13.Visible);
    const std::string panel = form.accessibleDescription(form.Label11);
    std::size_t at = 0;
    for (const forms::Control* c : {&form.Label13, &form.Label14, &form.Label15, &form.Label16, &form.Label18,
                                    &form.Label17, &form.Label19}) {
        std::string caption = c->Caption.value();
        caption = caption.substr(caption.find_first_not_of(' '));
        const std::size_t found = panel.find(caption, at);
        ASSERT_NE(found, std::string::npos) << c->name() << " in " << panel;
        at = found + caption.size();
    }
    EXPECT_NE(panel.find("Using our below mentioned packages. AGENCY SOFTWARE : It is specially"), std::string::npos)
        << "a title ending in a colon needs no full stop";
}

TEST_F(ReadersTest, EmptyLabelsAreNotFoundUnderThePointerTheTextsBeneathThemAre) {
    // At start the empty description label's box covers the panel's texts.
    ASSERT_EQ(form.Label4.Caption.value(), "");
    const forms::PixelRect area = form.visibleBox(form.Label4);
    ASSERT_TRUE(area.contains(centre(form.Label16)));
    EXPECT_EQ(form.accessibleAt(centre(form.Label16)), &form.Label16);
    // Where no text lies in the area, a reader finds the window itself.
    bool found = false;
    for (int y = area.top; y < area.top + area.height && !found; ++y)
        for (int x = area.left; x < area.left + area.width && !found; ++x) {
            bool text = false;
            for (const forms::AccessibleNode& n : form.accessibleChildren())
                text = text || form.accessibleBox(*n.control).contains({x, y});
            if (text) continue;
            found = true;
            EXPECT_EQ(form.accessibleAt({x, y}), nullptr) << x << "," << y;
        }
    EXPECT_TRUE(found);
}

TEST_F(ReadersTest, ALabelLiesForReadersWhereItsTextIs) {
    // The window lays the text out as it paints it.
    platform::headless::HeadlessWindow window(form, 1022, 766);
    form.pointerMove(background());
    moveOver(form.Label12);
    const forms::PixelRect label = form.visibleBox(form.Label4), text = form.accessibleBox(form.Label4);
    EXPECT_EQ(text, text.intersect(label));
    EXPECT_EQ(text.top, label.top);
    EXPECT_LT(text.width, label.width / 2) << "\"Click to EXIT\" is one short line";
    EXPECT_LT(text.height, label.height / 4);
    EXPECT_GT(text.height, 8);
    EXPECT_EQ(form.accessibleAt({text.left + 2, text.top + text.height + 10}), nullptr) << "below its text";

    moveOver(form.Label8);
    const forms::PixelRect long_ = form.accessibleBox(form.Label4);
    EXPECT_GT(long_.height, text.height * 4) << "the long description, over several lines";
    EXPECT_EQ(long_, long_.intersect(form.visibleBox(form.Label4))) << "never past the label's box";
    EXPECT_EQ(form.accessibleBox(form.Label8), form.visibleBox(form.Label8))
        << "an entry is its whole box, which the focus rectangle surrounds";
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
