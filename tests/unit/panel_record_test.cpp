// What the menu tells its panel guard: a hidden panel's record as one line
// of text, and the guard's ledger of the panels still hidden, built from a
// stream that arrives in pieces. And where a Wayland menu keeps its lock.
#include <gtest/gtest.h>

#include <string>

#include "platform/gtk/single_instance.h"
#include "platform/gtk/x11_panel_record.h"

namespace {

using platform::gtk::fromLine;
using platform::gtk::PanelLedger;
using platform::gtk::PanelRecord;
using platform::gtk::toLine;

PanelRecord lxpanel() {
    PanelRecord r;
    r.window = 0x40001c;
    r.desktop = 0xFFFFFFFFu;  // every desktop
    r.states = std::vector<std::uint32_t>{301, 302};
    r.x = 0;
    r.y = 742;
    return r;
}

void expectSame(const PanelRecord& a, const PanelRecord& b) {
    EXPECT_EQ(a.window, b.window);
    EXPECT_EQ(a.desktop, b.desktop);
    EXPECT_EQ(a.states, b.states);
    EXPECT_EQ(a.x, b.x);
    EXPECT_EQ(a.y, b.y);
}

TEST(PanelRecordLine, KeepsEveryPropertyAndTellsAbsentFromEmpty) {
    expectSame(*fromLine(toLine(lxpanel())), lxpanel());

    PanelRecord bare;  // a panel that never set a desktop or a state
    bare.window = 7;
    bare.x = -20;
    bare.y = -5;
    const auto back = fromLine(toLine(bare));
    ASSERT_TRUE(back);
    EXPECT_FALSE(back->desktop);
    EXPECT_FALSE(back->states) << "no property is not an empty one";
    expectSame(*back, bare);

    PanelRecord none = bare;  // _NET_WM_STATE present with no state in it
    none.states.emplace();
    ASSERT_TRUE(fromLine(toLine(none)));
    ASSERT_TRUE(fromLine(toLine(none))->states);
    EXPECT_TRUE(fromLine(toLine(none))->states->empty());
}

TEST(PanelRecordLine, RefusesAnythingButAWholeRecord) {
    const std::string good = toLine(lxpanel());
    for (const std::string& bad : {
             std::string(),
             good.substr(0, good.size() - 1) + "x",
             good + " more",
             std::string("window=0 desktop=- states=- at=0,0"),  // no window
             std::string("window=5 desktop=- states=1,,2 at=0,0"),
             std::string("window=5 desktop=- states=1, at=0,0"),
             std::string("window=5 desktop=4294967296 states=- at=0,0"),  // beyond 32 bits
             std::string("window=5 desktop=-1 states=- at=0,0"),
             std::string("window=5 states=- desktop=- at=0,0"),  // out of order
             std::string("window=5 desktop=- states=- at=0"),
             std::string("window=0x40 desktop=- states=- at=0,0"),
         })
        EXPECT_FALSE(fromLine(bad)) << bad;
}

TEST(PanelLedger, FollowsHiddenAndShownPanelsFromPiecesOfAnySize) {
    PanelRecord tint2 = lxpanel();
    tint2.window = 0x600003;
    const std::string stream = PanelLedger::displayLine(":7") + PanelLedger::hiddenLine(lxpanel()) +
                               PanelLedger::hiddenLine(tint2) + PanelLedger::shownLine(lxpanel().window);
    for (std::size_t piece : {std::size_t(1), std::size_t(3), stream.size()}) {
        PanelLedger ledger;
        for (std::size_t at = 0; at < stream.size(); at += piece) ledger.take(std::string_view(stream).substr(at, piece));
        EXPECT_EQ(ledger.display(), ":7");
        ASSERT_EQ(ledger.hidden().size(), 1u) << "pieces of " << piece;
        expectSame(ledger.hidden()[0], tint2);
    }
}

TEST(PanelLedger, KeepsTheFirstRecordOfAPanelHiddenAgainAndDropsNonsense) {
    PanelLedger ledger;
    ledger.take(PanelLedger::hiddenLine(lxpanel()));
    // The panel mapped itself again; its window manager had already dropped
    // its properties, so a second record would put back nothing.
    PanelRecord forgotten;
    forgotten.window = lxpanel().window;
    ledger.take(PanelLedger::hiddenLine(forgotten));
    ledger.take("hidden window=1 garbage\nshown x\nnonsense\n\n");
    ledger.take(std::string(10000, 'a') + "\n");  // an overlong line, dropped whole
    ledger.take("display\n");                        // a display without a name
    ASSERT_EQ(ledger.hidden().size(), 1u);
    expectSame(ledger.hidden()[0], lxpanel());
    EXPECT_EQ(ledger.display(), "");
    // An unfinished line is not taken: the menu ended in the middle of it.
    ledger.take("shown " + std::to_string(lxpanel().window));
    EXPECT_EQ(ledger.hidden().size(), 1u);
    ledger.take("\n");
    EXPECT_TRUE(ledger.hidden().empty());
}

TEST(WaylandMenuLock, LiesInTheRuntimeDirectoryNamedAfterTheDisplay) {
    using platform::gtk::runtimeLockPath;
    EXPECT_EQ(runtimeLockPath("/run/user/1000", "wayland-0"), "/run/user/1000/tarvelo-install-menu-wayland-0");
    EXPECT_EQ(runtimeLockPath("/run/user/1000/", "/run/user/1000/wayland-1"),
              "/run/user/1000/tarvelo-install-menu-wayland-1")
        << "a display given as a path is named by its socket";
    EXPECT_EQ(runtimeLockPath(nullptr, "wayland-0"), "");
    EXPECT_EQ(runtimeLockPath("", "wayland-0"), "");
    EXPECT_EQ(runtimeLockPath("/run/user/1000", "/run/user/1000/"), "");
}

}  // namespace
