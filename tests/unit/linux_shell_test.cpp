// The Linux shell services on real temporary directories: the installer
// lookup, the process start, the message text. Nothing here needs a display.
#include <gtest/gtest.h>
#include <glib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "forms/runtime_error.h"
#include "forms/shell.h"
#include "platform/gtk/file_lookup.h"
#include "platform/gtk/message_box.h"
#include "platform/gtk/process_start.h"

namespace {

namespace fs = std::filesystem;
using platform::gtk::findFile;
using platform::gtk::startProgram;
namespace attributes = forms::attributes;

class TempDir : public ::testing::Test {
protected:
    TempDir() {
        gchar* made = g_dir_make_tmp("install-menu-XXXXXX", nullptr);
        root = made;
        g_free(made);
    }
    ~TempDir() override { fs::remove_all(root); }

    fs::path file(const fs::path& relative, const std::string& content = "", fs::perms perms = fs::perms(0644)) {
        fs::path p = root / relative;
        fs::create_directories(p.parent_path());
        std::ofstream(p) << content;
        fs::permissions(p, perms);
        return p;
    }
    // A stub installer: a script that records where it ran and with what.
    fs::path stub(const fs::path& relative, const std::string& marker) {
        return file(relative, "#!/bin/sh\necho \"$PWD|$0|$#\" >> '" + (root / marker).string() + "'\n",
                    fs::perms(0755));
    }
    std::string path(const fs::path& relative) const { return (root / relative).string(); }

    fs::path root;
};

// Runs the main loop until done() or five seconds have passed.
template <class F>
bool runUntil(F done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        while (g_main_context_iteration(nullptr, FALSE)) {
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

std::string readAll(const fs::path& p) {
    std::ifstream in(p);
    return {std::istreambuf_iterator<char>(in), {}};
}

int lineCount(const fs::path& p) {
    std::string s = readAll(p);
    return static_cast<int>(std::count(s.begin(), s.end(), '\n'));
}

// Children of this process that have ended and not been reaped.
int zombieChildren() {
    int zombies = 0;
    const std::string self = std::to_string(getpid());
    for (const auto& entry : fs::directory_iterator("/proc")) {
        const std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        std::ifstream in(entry.path() / "stat");
        std::string stat((std::istreambuf_iterator<char>(in)), {});
        const std::size_t close = stat.rfind(')');
        if (close == std::string::npos) continue;
        std::istringstream rest(stat.substr(close + 2));
        std::string state, ppid;
        rest >> state >> ppid;
        if (ppid == self && state == "Z") ++zombies;
    }
    return zombies;
}

using FileLookup = TempDir;

TEST_F(FileLookup, FindsTheFileWhateverItsLetterCaseAndGivesTheNameOnDisk) {
    file("quv.exe");
    file("Murdelo.exe");
    EXPECT_EQ(findFile(path("QUV.EXE"), attributes::kNormal), "quv.exe");
    EXPECT_EQ(findFile(path("MURDELO.EXE"), attributes::kNormal), "Murdelo.exe");
    EXPECT_EQ(findFile(path("QUV.EX"), attributes::kNormal), "");
    // Letters beyond ASCII fold too.
    file("Über.exe");
    EXPECT_EQ(findFile(path("üBER.EXE"), attributes::kNormal), "Über.exe");
}

TEST_F(FileLookup, PrefersTheSameCaseWhereSeveralNamesMatch) {
    file("qUv.exe");
    file("QUV.EXE");
    file("quv.exe");
    EXPECT_EQ(findFile(path("QUV.EXE"), attributes::kNormal), "QUV.EXE");
    EXPECT_EQ(findFile(path("Quv.Exe"), attributes::kNormal), "QUV.EXE");  // else the first in byte order
}

TEST_F(FileLookup, OrdinaryFilesOnlyWithMaskZero) {
    fs::create_directories(root / "QUV.EXE");
    EXPECT_EQ(findFile(path("QUV.EXE"), attributes::kNormal), "");
    EXPECT_EQ(findFile(path("quv.exe"), attributes::kDirectory), "QUV.EXE");

    // A hidden file is one whose name starts with a dot.
    file(".murdelo.exe");
    EXPECT_EQ(findFile(path(".Murdelo.EXE"), attributes::kNormal), "");
    EXPECT_EQ(findFile(path(".Murdelo.EXE"), attributes::kHidden), ".murdelo.exe");

    // Read-only files count; so does a link to a file, but not a dangling one
    // or a pipe.
    file("readonly.exe", "", fs::perms(0444));
    EXPECT_EQ(findFile(path("READONLY.EXE"), attributes::kNormal), "readonly.exe");
    fs::create_symlink(root / "readonly.exe", root / "link.exe");
    EXPECT_EQ(findFile(path("LINK.EXE"), attributes::kNormal), "link.exe");
    fs::create_symlink(root / "nowhere", root / "dangling.exe");
    EXPECT_EQ(findFile(path("dangling.exe"), attributes::kNormal), "");
    ASSERT_EQ(mkfifo(path("pipe.exe").c_str(), 0644), 0);
    EXPECT_EQ(findFile(path("pipe.exe"), attributes::kNormal), "");
}

TEST_F(FileLookup, AMissingDirectoryHoldsNothingButAnUnreadableOneIsAnError) {
    EXPECT_EQ(findFile(path("gone/QUV.EXE"), attributes::kNormal), "");
    file("plain");
    EXPECT_EQ(findFile(path("plain/QUV.EXE"), attributes::kNormal), "");  // not a directory at all

    const std::string tooLong = path(std::string(300, 'x') + "/QUV.EXE");
    try {
        findFile(tooLong, attributes::kNormal);
        FAIL() << "no error for a directory that cannot be read";
    } catch (const forms::RuntimeError& e) {
        EXPECT_EQ(e.description(), "File name too long");
    }
}

TEST_F(FileLookup, LooksInTheRootDirectoryToo) {
    EXPECT_EQ(findFile("/ETC", attributes::kDirectory), "etc");
    EXPECT_EQ(findFile("/ETC", attributes::kNormal), "");
    EXPECT_EQ(findFile(path(""), attributes::kNormal), "");  // a path ending in "/" names no file
}

TEST(ExecutableDirectory, IsTheDirectoryOfTheRunningProgramWithoutTrailingSlash) {
    const std::string dir = platform::gtk::executableDirectory();
    EXPECT_EQ(fs::path(dir), fs::canonical("/proc/self/exe").parent_path());
    EXPECT_NE(dir.back(), '/');
}

using ProcessStart = TempDir;

TEST_F(ProcessStart, StartsExactlyTheFileInTheGivenDirectoryWithoutWaiting) {
    // A folder with spaces and letters beyond ASCII, and a decoy where an
    // unquoted command line would break off.
    const fs::path program = stub("Mein Ördner/My Disc/QUV.exe", "started");
    stub("Mein Ördner/My", "decoy");
    const std::string workDir = path("Mein Ördner/My Disc");
    startProgram(program.string(), workDir);
    ASSERT_TRUE(runUntil([&] { return fs::exists(root / "started"); }));
    EXPECT_EQ(readAll(root / "started"), workDir + "|" + program.string() + "|0\n");
    EXPECT_FALSE(fs::exists(root / "decoy"));
}

TEST_F(ProcessStart, AFileThatCannotRunRaisesWithTheSystemsReason) {
    const fs::path notExecutable = file("QUV.exe", "#!/bin/sh\ntouch started\n");
    try {
        startProgram(notExecutable.string(), root.string());
        FAIL() << "a file without execute permission started";
    } catch (const forms::RuntimeError& e) {
        EXPECT_EQ(e.number(), 70);
        EXPECT_NE(e.description().find("Permission denied"), std::string::npos) << e.description();
    }
    EXPECT_THROW(startProgram(path("missing.exe"), root.string()), forms::RuntimeError);
    EXPECT_THROW(startProgram(stub("ok.exe", "ok").string(), path("no such dir")), forms::RuntimeError);
    EXPECT_FALSE(fs::exists(root / "ok"));
}

TEST_F(ProcessStart, EveryStartRunsAndNoChildIsLeftAZombie) {
    const fs::path program = stub("QUV.exe", "starts");
    for (int i = 0; i < 20; ++i) startProgram(program.string(), root.string());
    ASSERT_TRUE(runUntil([&] { return fs::exists(root / "starts") && lineCount(root / "starts") == 20; }));
    EXPECT_TRUE(runUntil([] { return zombieChildren() == 0; })) << zombieChildren() << " zombies";
}

TEST(MessageBoxText, CarriageReturnsBecomeLineBreaks) {
    using platform::gtk::dialogText;
    EXPECT_EQ(dialogText("Excutable(QUV.exe) File Not Found, Cant't install\rOFFICE AUTOMATION SOFTWARE Package"),
              "Excutable(QUV.exe) File Not Found, Cant't install\nOFFICE AUTOMATION SOFTWARE Package");
    EXPECT_EQ(dialogText("a\r\nb\r\rc\r"), "a\nb\n\nc\n");
    EXPECT_EQ(dialogText("no break"), "no break");
}

}  // namespace
