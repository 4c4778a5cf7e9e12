// The Linux shell services on real temporary directories: the installer
// lookup and the process start.
#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "forms/runtime_error.h"
#include "forms/shell.h"
#include "platform/gtk/file_lookup.h"
#include "platform/gtk/gtk_shell.h"
#include "platform/gtk/opengl_opt_out.h"

namespace {

namespace fs = std::filesystem;
using platform::gtk::lookupFile;

class TempDir {
public:
    TempDir() {
        std::string tmpl = (fs::temp_directory_path() / "menu-test-XXXXXX").string();
        path_ = mkdtemp(tmpl.data());
    }
    ~TempDir() {
        std::error_code ec;
        fs::permissions(path_, fs::perms::owner_all, ec);
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }
    fs::path file(const std::string& name, const std::string& content = "data") const {
        std::ofstream(path_ / name) << content;
        return path_ / name;
    }

private:
    fs::path path_;
};

TEST(LinuxFileLookup, FindsOrdinaryFilesWhateverTheirLetterCase) {
    TempDir d;
    d.file("quv.exe");
    EXPECT_EQ(lookupFile((d.path() / "QUV.EXE").string(), forms::attributes::kNormal), "quv.exe");
    fs::path ro = d.file("Murdelo.Exe");
    fs::permissions(ro, fs::perms::owner_read);
    EXPECT_EQ(lookupFile((d.path() / "Murdelo.EXE").string(), 0), "Murdelo.Exe") << "read-only files count";
    EXPECT_EQ(lookupFile((d.path() / "Other.EXE").string(), 0), "");
}

TEST(LinuxFileLookup, DirectoriesHiddenFilesAndMissingFoldersAreNotFound) {
    TempDir d;
    fs::create_directory(d.path() / "QUV.EXE");
    EXPECT_EQ(lookupFile((d.path() / "QUV.EXE").string(), 0), "") << "a directory named like the installer";
    d.file(".murdelo.exe");
    EXPECT_EQ(lookupFile((d.path() / ".MURDELO.EXE").string(), 0), "") << "a hidden file";
    EXPECT_EQ(lookupFile((d.path() / "gone" / "QUV.EXE").string(), 0), "");
}

TEST(LinuxFileLookup, FollowsLinksToFilesAndFindsNamesWithSpacesAndAccents) {
    TempDir d;
    fs::create_directory(d.path() / "My Disc é");
    fs::path target = d.file("real-installer");
    fs::create_symlink(target, d.path() / "My Disc é" / "QUV.exe");
    EXPECT_EQ(lookupFile((d.path() / "My Disc é" / "QUV.EXE").string(), 0), "QUV.exe");
}

TEST(LinuxFileLookup, AnUnreadableFolderIsAnErrorNotAMissingFile) {
    if (geteuid() == 0) GTEST_SKIP() << "root reads every folder";
    TempDir d;
    d.file("QUV.exe");
    fs::permissions(d.path(), fs::perms::none);
    EXPECT_THROW(lookupFile((d.path() / "QUV.EXE").string(), 0), forms::RuntimeError);
}

TEST(LinuxFileLookup, AFolderThatCannotBeReadIsAnErrorEvenForRoot) {
    // A name longer than any the file system takes: the folder cannot even be
    // opened, whoever asks. The lookup must say so, not report "not found".
    TempDir d;
    const std::string folder = (d.path() / std::string(300, 'x')).string();
    try {
        lookupFile(folder + "/QUV.EXE", 0);
        FAIL() << "no error for a folder that cannot be read";
    } catch (const forms::RuntimeError& e) {
        EXPECT_NE(e.description().find("File name too long"), std::string::npos) << e.description();
    }
}

TEST(LinuxFileLookup, LetterCaseBeyondAsciiFoldsToo) {
    TempDir d;
    d.file("Über.exe");
    EXPECT_EQ(lookupFile((d.path() / "üBER.EXE").string(), 0), "Über.exe");
}

TEST(LinuxFileLookup, OnlyRegularFilesCountNotPipesOrDanglingLinks) {
    TempDir d;
    ASSERT_EQ(mkfifo((d.path() / "QUV.exe").c_str(), 0644), 0);
    EXPECT_EQ(lookupFile((d.path() / "QUV.EXE").string(), 0), "");
    fs::create_symlink(d.path() / "nowhere", d.path() / "Murdelo.exe");
    EXPECT_EQ(lookupFile((d.path() / "MURDELO.EXE").string(), 0), "");
}

TEST(LinuxFileLookup, LooksInTheRootFolderToo) {
    // The menu started from the root of a disc asks for "/QUV.EXE".
    EXPECT_EQ(lookupFile("/ETC", forms::attributes::kDirectory), "etc");
    EXPECT_EQ(lookupFile("/ETC", 0), "") << "a directory is no file";
}

// Runs the default main context until cond holds or five seconds pass.
template <class F>
bool waitFor(F cond) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!cond() && std::chrono::steady_clock::now() < deadline) {
        while (g_main_context_iteration(nullptr, FALSE)) {
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return cond();
}

int zombieChildren() {
    int count = 0;
    DIR* proc = opendir("/proc");
    while (dirent* e = readdir(proc)) {
        std::ifstream stat(std::string("/proc/") + e->d_name + "/stat");
        std::string pid, comm, state, ppid;
        if (!(stat >> pid >> comm >> state >> ppid)) continue;
        if (state == "Z" && ppid == std::to_string(getpid())) ++count;
    }
    closedir(proc);
    return count;
}

// A stub installer: appends one line with its working directory to a marker file.
fs::path stubInstaller(const TempDir& d, const std::string& name) {
    fs::path p = d.file(name, "#!/bin/sh\npwd >> \"$(dirname \"$0\")/started.txt\"\n");
    fs::permissions(p, fs::perms::owner_all);
    return p;
}

int linesIn(const fs::path& p) {
    std::ifstream in(p);
    int n = 0;
    for (std::string line; std::getline(in, line);) ++n;
    return n;
}

TEST(LinuxProcessStart, StartsTheProgramInTheGivenFolderEveryTimeAndReapsIt) {
    TempDir disc;
    fs::path installer = stubInstaller(disc, "QUV.exe");
    platform::gtk::GtkShell shell;
    for (int i = 0; i < 20; ++i) shell.startProcess(installer.string(), disc.path().string(), forms::show::kNormal);
    ASSERT_TRUE(waitFor([&] { return linesIn(disc.path() / "started.txt") == 20; }));
    std::ifstream in(disc.path() / "started.txt");
    std::string first;
    std::getline(in, first);
    EXPECT_EQ(fs::path(first), disc.path()) << "the installer runs in its own folder";
    EXPECT_TRUE(waitFor([] { return zombieChildren() == 0; })) << "every child is reaped";
}

TEST(LinuxProcessStart, TheInstallerRunsInASessionOfItsOwnWithOnlyTheStandardDescriptors) {
    TempDir d;
    // A descriptor of the menu's that is not closed on exec: the installer
    // must not get it all the same.
    const int stray = open("/dev/null", O_RDONLY);
    ASSERT_GE(stray, 3);
    fs::path installer = d.file("QUV.exe", "#!/bin/sh\necho $$ > \"$(dirname \"$0\")/pid\"\nexec sleep 30\n");
    fs::permissions(installer, fs::perms::owner_all);
    platform::gtk::GtkShell shell;
    shell.startProcess(installer.string(), d.path().string(), forms::show::kNormal);
    close(stray);

    pid_t pid = 0;
    ASSERT_TRUE(waitFor([&] { return (std::ifstream(d.path() / "pid") >> pid) && pid > 0; }));
    auto command = [pid] {
        std::string name;
        std::ifstream(std::string("/proc/") + std::to_string(pid) + "/comm") >> name;
        return name;
    };
    ASSERT_TRUE(waitFor([&] { return command() == "sleep"; })) << "the installer went on to its program";
    EXPECT_EQ(getsid(pid), pid) << "the installer leads a session of its own";
    EXPECT_NE(getsid(pid), getsid(0));
    EXPECT_NE(getpgid(pid), getpgid(0));
    // The program's own start may open a file for a moment (its locale):
    // what counts is what stays open.
    auto descriptors = [pid] {
        std::vector<std::string> found;
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", ec))
            found.push_back(entry.path().filename().string());
        std::sort(found.begin(), found.end());
        return found;
    };
    const std::vector<std::string> standard{"0", "1", "2"};
    EXPECT_TRUE(waitFor([&] { return descriptors() == standard; }))
        << "open in the installer: " << ::testing::PrintToString(descriptors());
    kill(pid, SIGKILL);
    EXPECT_TRUE(waitFor([pid] { return kill(pid, 0) != 0; })) << "the installer is reaped once it has ended";
}

TEST(LinuxProcessStart, APathWithSpacesIsOneProgramNotACommandLine) {
    TempDir d;
    fs::create_directory(d.path() / "My Disc");
    // Where a command line split at the space would land.
    fs::path decoy = d.file("My", "#!/bin/sh\ntouch \"$(dirname \"$0\")/decoy-ran\"\n");
    fs::permissions(decoy, fs::perms::owner_all);
    fs::path installer = d.path() / "My Disc" / "QUV.exe";
    std::ofstream(installer) << "#!/bin/sh\ntouch \"$(dirname \"$0\")/installer-ran\"\n";
    fs::permissions(installer, fs::perms::owner_all);
    platform::gtk::GtkShell shell;
    shell.startProcess(installer.string(), (d.path() / "My Disc").string(), forms::show::kNormal);
    ASSERT_TRUE(waitFor([&] { return fs::exists(d.path() / "My Disc" / "installer-ran"); }));
    EXPECT_FALSE(fs::exists(d.path() / "decoy-ran"));
}

// The menu asks GDK to leave OpenGL out through its environment; the
// installers get the environment as it was. A user's own choice is the
// user's, in the menu and in the installers alike.
TEST(LinuxProcessStart, TheInstallerGetsTheEnvironmentWithoutTheMenusOpenGlOptOut) {
    const char* had = std::getenv("GDK_GL");
    const std::string saved = had ? had : "";
    TempDir d;
    fs::path installer = d.file("QUV.exe", "#!/bin/sh\necho \"[${GDK_GL-unset}] $MENU_TEST_MARK\" >> \"$(dirname \"$0\")/env\"\n");
    fs::permissions(installer, fs::perms::owner_all);
    setenv("MENU_TEST_MARK", "passed on", 1);
    platform::gtk::GtkShell shell;

    unsetenv("GDK_GL");
    platform::gtk::optOutOfOpenGl();
    EXPECT_STREQ(std::getenv("GDK_GL"), "disable") << "GDK is asked to leave OpenGL out";
    shell.startProcess(installer.string(), d.path().string(), forms::show::kNormal);
    ASSERT_TRUE(waitFor([&] { return linesIn(d.path() / "env") == 1; }));

    setenv("GDK_GL", "always", 1);
    platform::gtk::optOutOfOpenGl();
    EXPECT_STREQ(std::getenv("GDK_GL"), "always") << "the user's own setting stands";
    shell.startProcess(installer.string(), d.path().string(), forms::show::kNormal);
    ASSERT_TRUE(waitFor([&] { return linesIn(d.path() / "env") == 2; }));

    std::ifstream in(d.path() / "env");
    std::string first, second;
    std::getline(in, first);
    std::getline(in, second);
    EXPECT_EQ(first, "[unset] passed on") << "the installer does not inherit the menu's opt-out";
    EXPECT_EQ(second, "[always] passed on") << "the user's setting reaches the installer";
    unsetenv("MENU_TEST_MARK");
    if (had) setenv("GDK_GL", saved.c_str(), 1); else unsetenv("GDK_GL");
}

TEST(LinuxProcessStart, AFileThatIsNotAProgramRaisesWithTheReason) {
    TempDir d;
    fs::path notAProgram = d.file("QUV.exe", "just text");
    platform::gtk::GtkShell shell;
    try {
        shell.startProcess(notAProgram.string(), d.path().string(), forms::show::kNormal);
        FAIL() << "a file without execute permission started";
    } catch (const forms::RuntimeError& e) {
        EXPECT_FALSE(e.description().empty());
    }
}

TEST(LinuxProcessStart, AnExecutableThatIsNoProgramIsReportedNotHandedToTheShell) {
    // A Windows installer on a disc mounted with execute rights: the kernel
    // cannot run it, and it must not be run as a shell script instead.
    TempDir d;
    fs::path windowsProgram = d.file("QUV.exe", "MZ\x90\ntouch \"$(dirname \"$0\")/ran-as-script\"\n");
    fs::permissions(windowsProgram, fs::perms::owner_all);
    platform::gtk::GtkShell shell;
    EXPECT_THROW(shell.startProcess(windowsProgram.string(), d.path().string(), forms::show::kNormal),
                 forms::RuntimeError);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(fs::exists(d.path() / "ran-as-script"));
}

TEST(LinuxProcessStart, AMissingWorkingFolderIsReported) {
    TempDir d;
    fs::path installer = stubInstaller(d, "QUV.exe");
    platform::gtk::GtkShell shell;
    EXPECT_THROW(shell.startProcess(installer.string(), (d.path() / "gone").string(), forms::show::kNormal),
                 forms::RuntimeError);
}

TEST(LinuxShell, AppPathIsTheFolderOfTheRunningProgram) {
    platform::gtk::GtkShell shell;
    std::string dir = shell.appPath();
    EXPECT_EQ(fs::path(dir), fs::canonical("/proc/self/exe").parent_path());
    EXPECT_NE(dir.back(), '/');
}

}  // namespace
