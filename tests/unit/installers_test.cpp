// Clicking the two install entries: the lookup, the not-found message, the
// start, and every failure on the way, against the recording shell.
#include <strings.h>

#include "tests/unit/form1_fixture.h"

namespace {

using platform::headless::FakeShell;

class InstallersTest : public Form1Test {
protected:
    InstallersTest() { shell.calls.clear(); }

    // Pretends the application directory holds files of these names.
    void filesOnDisk(std::vector<std::string> names) {
        shell.lookup = [this, names](const std::string& path, int) -> std::string {
            for (const std::string& n : names) {
                std::string wanted = path.substr(path.find_last_of('\\') + 1);
                if (strcasecmp(wanted.c_str(), n.c_str()) == 0) return n;
            }
            return "";
        };
    }
};

TEST_F(InstallersTest, IndexSoftwareStartsTheFileTheLookupFound) {
    filesOnDisk({"quv.exe"});
    shell.applicationDirectory = "D:\\My Disc";
    click(form.Label10);
    ASSERT_EQ(shell.lookups.size(), 1u);
    EXPECT_EQ(shell.lookups[0].path, "D:\\My Disc\\QUV.EXE");
    EXPECT_EQ(shell.lookups[0].attributes, 0);
    ASSERT_EQ(shell.starts.size(), 1u);
    EXPECT_EQ(shell.starts[0].program, "D:\\My Disc\\quv.exe") << "exactly the file on disk, as one program path";
    EXPECT_EQ(shell.starts[0].workingDirectory, "D:\\My Disc");
    EXPECT_EQ(shell.starts[0].showState, 1);
    EXPECT_TRUE(shell.messages.empty());
    EXPECT_EQ(form.Label10.ForeColor, 0x8000000Eu);
    EXPECT_FALSE(form.unloaded());
}

TEST_F(InstallersTest, AddressSoftwareLooksForMurdelo) {
    filesOnDisk({"Murdelo.exe"});
    click(form.Label8);
    ASSERT_EQ(shell.starts.size(), 1u);
    EXPECT_EQ(shell.lookups[0].path, "C:\\Menu\\Murdelo.EXE");
    EXPECT_EQ(shell.starts[0].program, "C:\\Menu\\Murdelo.exe");
}

TEST_F(InstallersTest, MissingInstallersGiveTheirOwnMessages) {
    click(form.Label10);
    click(form.Label8);
    EXPECT_TRUE(shell.starts.empty());
    ASSERT_EQ(shell.messages.size(), 2u);
    EXPECT_EQ(shell.messages[0].prompt,
              "Excutable(QUV.exe) File Not Found, Cant't install\rOFFICE AUTOMATION SOFTWARE Package");
    EXPECT_EQ(shell.messages[1].prompt,
              "Excutable(MURDELO.exe) File Not Found,\rCant't install ADDRESS-BOOK Software Package");
    for (const auto& m : shell.messages) {
        EXPECT_EQ(m.style, 32);
        EXPECT_EQ(m.title, "Message Window");
    }
    EXPECT_FALSE(form.unloaded());
}

TEST_F(InstallersTest, FromADriveRootThePathHasOneSeparator) {
    filesOnDisk({"QUV.EXE"});
    shell.applicationDirectory = "D:\\";
    click(form.Label10);
    EXPECT_EQ(shell.lookups[0].path, "D:\\QUV.EXE");
    ASSERT_EQ(shell.starts.size(), 1u);
    EXPECT_EQ(shell.starts[0].program, "D:\\QUV.EXE");
    EXPECT_EQ(shell.starts[0].workingDirectory, "D:\\");
}

TEST_F(InstallersTest, ALinuxDirectoryUsesSlashes) {
    shell.separator = '/';
    shell.applicationDirectory = "/media/cdrom";
    shell.lookup = [](const std::string&, int) { return std::string("Quv.Exe"); };
    click(form.Label10);
    EXPECT_EQ(shell.lookups[0].path, "/media/cdrom/QUV.EXE");
    EXPECT_EQ(shell.starts[0].program, "/media/cdrom/Quv.Exe");
}

TEST_F(InstallersTest, EveryClickStartsAgain) {
    filesOnDisk({"QUV.exe"});
    for (int i = 0; i < 20; ++i) click(form.Label10);
    EXPECT_EQ(shell.starts.size(), 20u);
}

TEST_F(InstallersTest, ADoubleClickStartsOnceATripleClickTwice) {
    filesOnDisk({"QUV.exe"});
    const forms::DoubleClickLimits limits{500, 4};
    auto clickAt = [&](std::uint32_t ms) {
        form.pointerDown(centre(form.Label10), forms::Button::Left, forms::Press::timed(ms, limits));
        form.pointerUp(centre(form.Label10), forms::Button::Left);
    };
    clickAt(10000);
    clickAt(10300);
    EXPECT_EQ(shell.starts.size(), 1u) << "a double-click";
    EXPECT_EQ(form.Label10.ForeColor, 0x8000000Eu) << "its release still gives the pressed look";
    clickAt(20000);
    clickAt(20200);
    clickAt(20400);
    EXPECT_EQ(shell.starts.size(), 3u) << "a triple click";
    clickAt(30000);
    clickAt(31000);
    EXPECT_EQ(shell.starts.size(), 5u) << "two clicks a second apart";
}

TEST_F(InstallersTest, AFailedStartSaysWhyAndTheMenuCarriesOn) {
    filesOnDisk({"QUV.exe"});
    shell.onStart = [](const FakeShell::Start&) {
        throw forms::RuntimeError(193, "%1 is not a valid Win32 application.");
    };
    click(form.Label10);
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].title, "Message Window");
    EXPECT_NE(shell.messages[0].prompt.find("C:\\Menu\\QUV.exe"), std::string::npos);
    EXPECT_NE(shell.messages[0].prompt.find("not a valid Win32 application"), std::string::npos);
    EXPECT_FALSE(form.unloaded());
    moveOver(form.Label8);
    EXPECT_EQ(form.Label8.ForeColor, 0x00FFFF00u) << "the menu still answers";
}

TEST_F(InstallersTest, ADeclinedElevationPromptShowsNothing) {
    filesOnDisk({"QUV.exe"});
    shell.onStart = [](const FakeShell::Start&) {
        throw forms::RuntimeError(forms::kStartCancelled, "The operation was canceled by the user.");
    };
    click(form.Label10);
    EXPECT_TRUE(shell.messages.empty());
    EXPECT_FALSE(form.unloaded());
}

TEST_F(InstallersTest, ALookupThatCannotBeMadeSaysWhyAndStartsNothing) {
    shell.lookup = [](const std::string&, int) -> std::string {
        throw forms::RuntimeError(forms::errors::kDeviceUnavailable, "The device is not ready.");
    };
    click(form.Label8);
    EXPECT_TRUE(shell.starts.empty());
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].title, "Message Window");
    EXPECT_NE(shell.messages[0].prompt.find("Murdelo.EXE"), std::string::npos);
    EXPECT_NE(shell.messages[0].prompt.find("The device is not ready."), std::string::npos);
}

TEST_F(InstallersTest, OnlyALeftClickStartsAndExitStartsNothing) {
    filesOnDisk({"QUV.exe", "Murdelo.exe"});
    click(form.Label10, forms::Button::Right);
    click(form.Label11);
    EXPECT_TRUE(shell.starts.empty());
    EXPECT_TRUE(shell.lookups.empty());
}

}  // namespace
