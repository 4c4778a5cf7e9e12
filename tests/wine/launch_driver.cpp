// Starts Install.exe itself, from directories it prepares, inside a Wine
// desktop that has a taskbar, and works it with real mouse and keyboard
// input: the installers it starts or reports missing, single, double and
// triple clicks, the keys, jumps of the pointer, the awkward folders it may
// lie in, the menu at 144 and 192 dpi, the end of the session, the crash guard and the taskbar guard
// (which every start checks for, and every end sees go); and reads it as a
// screen reader does. For the shipping 32-bit build: its first frame against
// its 64-bit twin's, and the installers that cannot start.
//
//   wine-launch-driver CASE WORK-DIR BUILD-DIR
//
// WORK-DIR is a fresh, empty directory for this case; BUILD-DIR holds the
// Install.exe under test (the 64-bit build's, or in the pe32 ring the
// shipping 32-bit one, with its 64-bit twin in the folder 64-bit), and
// stub-installer.exe and fatal-guard-probe.exe. Every check is printed; the
// exit code is the number of failed checks (100 when the case is unknown).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <utility>

#include "desktop.h"
#include "menu/texts.h"
#include "msaa_reader.h"

using namespace wine_tests;

namespace {

// Points of the menu in its client area. Picture1 lies one pixel in from the
// client area's corner after the load step, and each control's box is its
// twips box at 15 twips to the pixel from there:
//   EXIT     Label12 (1260,6240) 615x315   -> (85..126, 417..438)
//   INDEX    Label10 (360,4560) 2235x405   -> (25..174, 305..332)
//   ADDRESS  Label8  (240,3600) 2595x405   -> (17..190, 241..268)
//   the description area: Label3, the prompt (281..546, 233..288), and
//   Label4, the description (249..594, 297..474)
constexpr RECT kExitBox{85, 417, 126, 438};
constexpr RECT kIndexBox{25, 305, 174, 332};
constexpr RECT kAddressBox{17, 241, 190, 268};
constexpr RECT kPromptBox{281, 233, 546, 288};
constexpr RECT kDescriptionBox{249, 297, 594, 474};
constexpr POINT kExit{105, 427};
constexpr POINT kIndex{99, 318};
constexpr POINT kAddress{103, 254};
constexpr POINT kBackground{6, 470};
constexpr RECT kOtherBox{25, 361, 188, 388};
constexpr POINT kOther{106, 374};

// The same boxes at 144 dots per inch, 1.5 device pixels to the layout
// pixel: an edge at layout pixel e falls on device pixel ceil(1.5 e - 0.5).
// Picture1 ends at layout pixel 639 across and 480 down.
constexpr RECT kExitBox144{127, 625, 189, 657};
constexpr RECT kIndexBox144{37, 457, 261, 498};
constexpr RECT kAddressBox144{25, 361, 285, 402};
constexpr int kPictureRight144 = 958, kPictureBottom144 = 720;

// The entries are green at start, light green at rest once the pointer has
// been on the background, cyan under the pointer.
constexpr DWORD kGreen = 0x00FF00, kRestGreen = 0x80FF80, kCyan = 0x00FFFF, kWhite = 0xFFFFFF,
                kLightYellow = 0xFFFF80;
constexpr const wchar_t* kMenuClass = L"TarveloInstallMenu";
constexpr const wchar_t* kTitle = L"Message Window";
constexpr const wchar_t* kQuvMissing =
    L"Excutable(QUV.exe) File Not Found, Cant't install\rOFFICE AUTOMATION SOFTWARE Package";
constexpr const wchar_t* kMurdeloMissing =
    L"Excutable(MURDELO.exe) File Not Found,\rCant't install ADDRESS-BOOK Software Package";

struct Context {
    std::wstring work, build;
    Checks checks;
    std::wstring installExe() const { return join(build, L"Install.exe"); }
    std::wstring helper(const wchar_t* name) const { return join(build, name); }
};

// A running menu, started from its own directory's copy of Install.exe with
// a different current directory, as a user's double click would.
struct Menu {
    Process process;
    HWND window = nullptr;
    DWORD guard = 0;  // the copy of Install.exe that guards its taskbar
};

// The menu's taskbar guard: the one copy of Install.exe the menu started.
DWORD guardOf(const Menu& menu) {
    std::vector<DWORD> guards = childProcesses(menu.process.info.dwProcessId, L"Install.exe");
    return guards.size() == 1 ? guards[0] : 0;
}

// Starts exe, which stays where it lies, with C:\windows as the current
// directory. The pointer rests in the screen's corner, outside the menu's
// background, so that the menu opens on its start screen; unless parked
// is false: then it stays where the case put it.
bool startMenuAt(Context& c, Menu& menu, const std::wstring& exe, bool parked = true) {
    c.checks.expect(waitFor(taskbarVisible, 30000), "the desktop shows its taskbar before the menu starts");
    if (parked) SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    if (!startProgram(menu.process, exe, L"C:\\windows")) {
        c.checks.expect(false, "Install.exe starts as " + utf8(exe));
        return false;
    }
    bool up = waitFor([&] { return (menu.window = findWindowOf(menu.process.info.dwProcessId, kMenuClass)); }, 30000);
    c.checks.expect(up, "the menu window appears");
    if (!up) return false;
    // The guard starts right after the first paint, later on a busy machine.
    c.checks.expect(waitFor([&] { return (menu.guard = guardOf(menu)) != 0; }, 5000),
                    "a taskbar guard runs beside the menu");
    c.checks.expect(!menu.guard || !hasVisibleWindow(menu.guard), "the taskbar guard shows no window");
    return true;
}

// Copies Install.exe into dir and starts it from there.
bool startMenu(Context& c, Menu& menu, const std::wstring& dir, bool parked = true) {
    std::wstring exe = join(dir, L"Install.exe");
    if (!copyFile(c.installExe(), exe)) {
        c.checks.expect(false, "Install.exe is copied to " + utf8(dir));
        return false;
    }
    return startMenuAt(c, menu, exe, parked);
}

void expectGuardEnds(Context& c, const Menu& menu, const std::string& how) {
    if (!menu.guard) return;
    c.checks.expect(waitFor([&] { return !processRunning(menu.guard); }, 3000),
                    how + ": the taskbar guard ends with the menu");
}

void expectEnds(Context& c, Menu& menu, const char* how) {
    long code = menu.process.waitForExit(15000);
    c.checks.expect(code == 0, std::string(how) + ": the program ends (exit code " + std::to_string(code) + ")");
    c.checks.expect(taskbarVisible(), std::string(how) + ": the taskbar is visible again");
    expectGuardEnds(c, menu, how);
}

void exitMenu(Context& c, Menu& menu) {
    postClick(menu.window, kExit);
    expectEnds(c, menu, "EXIT");
}

int caseEndSession(Context& c) {
    Menu menu;
    if (!startMenu(c, menu, c.work)) return c.checks.failures;
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(menu.window, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer);
    c.checks.expect(answer == TRUE, "the menu lets the session end");
    SendMessageTimeoutW(menu.window, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 5000, &answer);
    c.checks.expect(taskbarVisible(), "the taskbar is back by the time the session may end");
    expectEnds(c, menu, "WM_ENDSESSION");
    return c.checks.failures;
}

// The crash guard shows the taskbar before the system ends the program its
// own way (an error report, a debugger, the run time's abort message), which
// may wait for the user: the check is made while the program is still dying,
// and the test then ends it.
int caseFatal(Context& c) {
    c.checks.expect(waitFor(taskbarVisible, 30000), "the desktop shows its taskbar");
    for (const wchar_t* way : {L"terminate", L"throw", L"crash", L"early-terminate"}) {
        Process probe;
        std::wstring exe = c.helper(L"fatal-guard-probe.exe");
        std::wstring line = L"\"" + exe + L"\" " + way;
        STARTUPINFOW si{};
        si.cb = sizeof si;
        if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                            &probe.info)) {
            c.checks.expect(false, utf8(way) + ": the probe starts");
            continue;
        }
        // The probe hides the taskbar first thing, then dies.
        bool hidden = waitFor([] { return !taskbarVisible(); }, 10000);
        c.checks.expect(hidden, utf8(way) + ": the probe hid the taskbar");
        bool back = waitFor([&] { return taskbarVisible() || probe.waitForExit(0) != -1; }, 15000) && taskbarVisible();
        c.checks.expect(back, utf8(way) + ": the taskbar is visible again as the program dies");
        if (probe.running()) TerminateProcess(probe.info.hProcess, 1);
        probe.waitForExit(5000);
        // The crash reporter the system starts for the probe may come late.
        for (int i = 0; i < 20; ++i, Sleep(100)) endProcessesNamed(L"winedbg.exe");
        ShowWindow(taskbar(), SW_SHOWNORMAL);  // for the next way, whatever happened
    }
    return c.checks.failures;
}

// What the user sees of a running menu, with real mouse input: EXIT in the
// entries' colour (green at start, light green once the pointer has been on
// the background) at its place, in cyan under the pointer, and a click on
// it ending the menu. Screenshots of both states are kept for people to
// look at.
void expectLookAndExit(Context& c, Menu& menu, DWORD entries) {
    Screenshot shot = captureScreen();
    shot.saveBmp(join(c.work, L"menu.bmp"));
    RECT exitBox = clientRectOnScreen(menu.window, kExitBox);
    c.checks.expect(shot.count(exitBox, entries) > 20, "EXIT is drawn in green at its place");
    // The faces the prefix gives "Tahoma": the longest entry fits its box on
    // one line, as the design's face did (a wider face wraps it).
    const RECT ink = shot.bounds(clientRectOnScreen(menu.window, kAddressBox), entries);
    c.checks.expect(ink.bottom - ink.top > 8 && ink.bottom - ink.top <= 14,
                    "ADDRESS SOFTWARE is drawn on one line, " + std::to_string(ink.bottom - ink.top) + " pixels high");
    moveMouse(menu.window, kExit);
    bool hover = waitFor([&] {
        Screenshot s = captureScreen();
        return s.count(exitBox, kCyan) > 20 && s.count(exitBox, entries) == 0;
    }, 5000);
    c.checks.expect(hover, "under the pointer EXIT turns cyan");
    captureScreen().saveBmp(join(c.work, L"hover.bmp"));
    click(menu.window, kExit);
    expectEnds(c, menu, "EXIT");
}

int caseLook(Context& c) {
    Menu menu;
    if (!startMenu(c, menu, c.work)) return c.checks.failures;
    expectLookAndExit(c, menu, kGreen);
    return c.checks.failures;
}

// The first frame once it is whole: the taskbar hidden behind it, and two
// screenshots a moment apart the same.
Screenshot firstFrame() {
    waitFor([] { return !taskbarVisible(); }, 5000);
    Screenshot last = captureScreen(), now;
    waitFor([&] {
        settle(200);
        now = captureScreen();
        return std::exchange(last, now).pixels == now.pixels;
    }, 10000);
    return now;
}

// The shipping 32-bit build beside its 64-bit twin, 64-bit\Install.exe in
// BUILD-DIR, each started from a folder of its own with the pointer resting
// in the screen's corner (the menu covers the screen from there): the first
// frames are the same pixel for pixel. Then the 32-bit
// one shows the hover and ends by EXIT, as the user sees it.
int caseTwins(Context& c) {
    const std::wstring twin = join(join(c.build, L"64-bit"), L"Install.exe");
    Screenshot frames[2];
    const wchar_t* names[2] = {L"64-bit", L"32-bit"};
    for (int i = 0; i < 2; ++i) {
        const std::wstring dir = join(c.work, names[i]), exe = join(dir, L"Install.exe");
        CreateDirectoryW(dir.c_str(), nullptr);
        if (!copyFile(i == 0 ? twin : c.installExe(), exe)) {
            c.checks.expect(false, "Install.exe is copied to " + utf8(dir));
            return c.checks.failures;
        }
        Menu menu;
        // On the window's one-pixel strip around the background, where a
        // resting pointer changes nothing: both first frames are the start
        // screen, whenever each build sees where the pointer rests.
        SetCursorPos(0, 0);
        if (!startMenuAt(c, menu, exe)) return c.checks.failures;
        frames[i] = firstFrame();
        frames[i].saveBmp(join(c.work, std::wstring(L"first-frame-") + names[i] + L".bmp"));
        if (i == 0) {
            exitMenu(c, menu);
            continue;
        }
        int differ = 0;
        for (std::size_t p = 0; p < frames[1].pixels.size() && frames[0].pixels.size() == frames[1].pixels.size(); ++p)
            differ += frames[0].pixels[p] != frames[1].pixels[p];
        c.checks.expect(frames[0].pixels.size() == frames[1].pixels.size() && differ == 0,
                        "the 32-bit build's first frame is the 64-bit one's pixel for pixel (" +
                            std::to_string(differ) + " pixels differ)");
        expectLookAndExit(c, menu, kGreen);
    }
    return c.checks.failures;
}

// Installer starts, read from the markers stub-installer.exe leaves in dir
// (its working directory, unless STUB_MARKER_DIR names another folder):
// "<its name>.<process id>.started", holding the path it was started as and
// its working directory.
struct Starts {
    std::wstring dir;
    std::vector<std::wstring> markers(const wchar_t* pattern = L"*.started") const {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW entry;
        HANDLE find = FindFirstFileW(join(dir, pattern).c_str(), &entry);
        if (find == INVALID_HANDLE_VALUE) return names;
        do names.push_back(entry.cFileName);
        while (FindNextFileW(find, &entry));
        FindClose(find);
        return names;
    }
    std::size_t count() const { return markers().size(); }
    bool reach(std::size_t n, int timeoutMs = 15000) const {
        return waitFor([&] { return count() >= n; }, timeoutMs);
    }
};

// Clicks an entry and expects the message box: checks its text (when
// given), that the menu takes no input while it is open, and closes it.
std::wstring expectMessage(Context& c, Menu& menu, POINT entry, const wchar_t* expected, const std::string& what) {
    postClick(menu.window, entry);
    HWND box = nullptr;
    bool shown = waitFor([&] { return (box = findMessageBox(menu.window, kTitle)); }, 10000);
    c.checks.expect(shown, what + ": a message box \"Message Window\" owned by the menu");
    if (!shown) return L"";
    std::wstring text = messageBoxText(box);
    std::wstring shot = join(c.work, L"message.bmp");
    if (GetFileAttributesW(shot.c_str()) == INVALID_FILE_ATTRIBUTES) {
        settle(500);  // its first paint
        captureScreen().saveBmp(shot);
    }
    if (expected) c.checks.expect(text == expected, what + ": the message reads as specified, got \"" + utf8(text) + "\"");
    c.checks.expect(!IsWindowEnabled(menu.window), what + ": the menu takes no input while the box is open");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    c.checks.expect(waitFor([&] { return !IsWindow(box); }, 5000), what + ": OK closes the box");
    c.checks.expect(waitFor([&] { return IsWindowEnabled(menu.window) != FALSE; }, 5000),
                    what + ": the menu answers again");
    return text;
}

// A folder's path as the system may give it, without a trailing backslash.
std::wstring withoutSlash(const std::wstring& dir) {
    return !dir.empty() && dir.back() == L'\\' ? dir.substr(0, dir.size() - 1) : dir;
}

void expectStart(Context& c, Menu& menu, POINT entry, const Starts& starts, const std::wstring& dir,
                 const std::string& what) {
    const std::vector<std::wstring> before = starts.markers();
    postClick(menu.window, entry);
    bool started = starts.reach(before.size() + 1);
    c.checks.expect(started, what + ": the installer starts");
    if (!started) return;
    for (const std::wstring& name : starts.markers()) {
        if (std::find(before.begin(), before.end(), name) != before.end()) continue;
        // The marker appears before the installer has written it.
        std::vector<std::wstring> content;
        waitFor([&] { return (content = readLines(join(starts.dir, name))).size() >= 2; }, 5000);
        content.resize(2);
        const std::wstring& path = content[0];
        std::wstring folder = path.substr(0, path.find_last_of(L'\\'));
        c.checks.expect(lstrcmpiW(folder.c_str(), withoutSlash(dir).c_str()) == 0,
                        what + ": the very file found beside the menu, got " + utf8(path));
        c.checks.expect(lstrcmpiW(withoutSlash(content[1]).c_str(), withoutSlash(dir).c_str()) == 0,
                        what + ": it runs in the application directory, got " + utf8(content[1]));
        break;
    }
    c.checks.expect(!findMessageBox(menu.window, kTitle), what + ": no message box");
}

// Real mouse input on INDEX SOFTWARE: a double-click starts the installer
// once, a triple click twice (its third press is a new click), and two clicks
// a second apart twice. Gestures lie well beyond the double-click time apart,
// and each count is read again after a pause, so that a start too many shows.
// Ends the menu cannot see: TerminateProcess (Task Manager's End task,
// taskkill /F) brings the taskbar back within moments, through the guard,
// which then ends too. After an orderly end the guard changes nothing: held
// while the menu ends through EXIT, and let go once the taskbar has been
// hidden again (as a menu started meanwhile does), it leaves it hidden.
int caseGuard(Context& c) {
    {
        Menu menu;
        if (!startMenu(c, menu, c.work)) return c.checks.failures;
        // The menu hands the hiding to the taskbar's own thread and does not
        // wait for it.
        c.checks.expect(waitFor([] { return !taskbarVisible(); }, 2000), "the menu hid the taskbar");
        TerminateProcess(menu.process.info.hProcess, 1);
        c.checks.expect(menu.process.waitForExit(5000) == 1, "TerminateProcess ends the menu");
        c.checks.expect(waitFor(taskbarVisible, 2000), "the taskbar is visible again within two seconds");
        expectGuardEnds(c, menu, "TerminateProcess");
    }
    {
        Menu menu;
        if (!startMenu(c, menu, c.work) || !menu.guard) return c.checks.failures;
        suspendProcess(menu.guard, true);
        postClick(menu.window, kExit);
        c.checks.expect(menu.process.waitForExit(15000) == 0, "EXIT ends the menu");
        c.checks.expect(taskbarVisible(), "EXIT shows the taskbar");
        ShowWindow(taskbar(), SW_HIDE);
        suspendProcess(menu.guard, false);
        expectGuardEnds(c, menu, "EXIT");
        settle(500);
        c.checks.expect(!taskbarVisible(), "after EXIT the guard leaves the taskbar as it finds it");
        ShowWindow(taskbar(), SW_SHOWNORMAL);
    }
    return c.checks.failures;
}

int caseClicks(Context& c) {
    Starts starts{c.work};
    copyFile(c.helper(L"stub-installer.exe"), join(c.work, L"QUV.exe"));
    Menu menu;
    if (!startMenu(c, menu, c.work)) return c.checks.failures;
    const int pause = static_cast<int>(GetDoubleClickTime()) + 500;
    struct Gesture {
        const char* name;
        int presses, secondApart;
        std::size_t starts;
    };
    for (const Gesture& g : {Gesture{"a double-click", 2, 0, 1}, Gesture{"a triple click", 3, 0, 3},
                             Gesture{"two clicks a second apart", 1, 1, 5}}) {
        // Real clicks go where the pointer is: the menu must be on top there.
        auto menuUnderPointer = [&] {
            SetForegroundWindow(menu.window);
            POINT at = kIndex;
            ClientToScreen(menu.window, &at);
            return WindowFromPoint(at) == menu.window;
        };
        c.checks.expect(waitFor(menuUnderPointer, 10000), std::string(g.name) + ": the entry is on top");
        clickRepeatedly(menu.window, kIndex, g.presses);
        if (g.secondApart) {
            Sleep(1000);
            waitFor(menuUnderPointer, 10000);
            clickRepeatedly(menu.window, kIndex, g.presses);
        }
        starts.reach(g.starts);
        Sleep(pause);
        c.checks.expect(starts.count() == g.starts, std::string(g.name) + ": " + std::to_string(starts.count()) +
                                                        " starts in all, expected " + std::to_string(g.starts));
    }
    exitMenu(c, menu);
    return c.checks.failures;
}

// Whether an entry's box on the screen shows it in one of its colours and
// in none of the others.
bool shows(const Screenshot& shot, HWND menu, const RECT& box, DWORD colour) {
    const RECT r = clientRectOnScreen(menu, box);
    for (DWORD other : {kGreen, kRestGreen, kCyan})
        if (other != colour && shot.count(r, other) > 0) return false;
    return shot.count(r, colour) > 20;
}

bool showsSoon(HWND menu, const RECT& box, DWORD colour) {
    return waitFor([&] { return shows(captureScreen(), menu, box, colour); }, 5000);
}

// How many pixels of the row just above a box differ between two shots:
// the top edge of a focus rectangle there changes every other one.
int changedAbove(const Screenshot& a, const Screenshot& b, HWND menu, const RECT& box) {
    const RECT r = clientRectOnScreen(menu, box);
    int changed = 0;
    for (int x = r.left; x < r.right; ++x) changed += a.at(x, r.top - 1) != b.at(x, r.top - 1);
    return changed;
}

// A key pressed for the menu: an installer's console window, which may come
// up a while after its start, must not take it.
bool keyToMenu(HWND menu, WORD key, std::initializer_list<WORD> held = {}) {
    const bool ready =
        waitFor([&] { return SetForegroundWindow(menu) && GetForegroundWindow() == menu; }, 5000);
    pressKey(key, held);
    return ready;
}

// The keys, with real keyboard input: the first Tab does what the pointer
// on ADDRESS SOFTWARE does and shows the focus rectangle, Tab and Enter
// start the office installer, Escape resets the menu, Shift+Tab from there
// goes to EXIT, and Enter there ends the menu.
int caseKeys(Context& c) {
    Starts starts{c.work};
    copyFile(c.helper(L"stub-installer.exe"), join(c.work, L"QUV.exe"));
    Menu menu;
    if (!startMenu(c, menu, c.work)) return c.checks.failures;
    SetForegroundWindow(menu.window);
    moveMouse(menu.window, kBackground);  // the pointer rests on the background
    settle(300);
    const Screenshot before = captureScreen();
    const int whiteBefore = before.count(clientRectOnScreen(menu.window, kDescriptionBox), kWhite);

    keyToMenu(menu.window, VK_TAB);
    c.checks.expect(showsSoon(menu.window, kAddressBox, kCyan), "the first Tab shows ADDRESS SOFTWARE hovered");
    settle(300);
    const Screenshot tab = captureScreen();
    tab.saveBmp(join(c.work, L"tab.bmp"));
    c.checks.expect(tab.count(clientRectOnScreen(menu.window, kPromptBox), kLightYellow) > 20,
                    "with its prompt in the description area");
    const int whiteAfter = tab.count(clientRectOnScreen(menu.window, kDescriptionBox), kWhite);
    c.checks.expect(whiteAfter > 2 * whiteBefore, "and its description, " + std::to_string(whiteAfter) +
                                                      " white pixels where the instruction had " +
                                                      std::to_string(whiteBefore));
    const int width = kAddressBox.right - kAddressBox.left + 2;
    const int changed = changedAbove(before, tab, menu.window, kAddressBox);
    c.checks.expect(changed > width / 3 && changed < width * 2 / 3,
                    "a dotted focus rectangle around it: " + std::to_string(changed) + " of the " +
                        std::to_string(width) + " pixels above it changed");

    keyToMenu(menu.window, VK_TAB);
    c.checks.expect(showsSoon(menu.window, kIndexBox, kCyan), "the second Tab goes on to INDEX SOFTWARE");
    c.checks.expect(shows(captureScreen(), menu.window, kAddressBox, kRestGreen), "and ADDRESS SOFTWARE rests again");
    keyToMenu(menu.window, VK_RETURN);
    c.checks.expect(starts.reach(1), "Enter starts the office installer");
    // Its console window goes with it.
    c.checks.expect(waitFor([] { return processesNamed(L"QUV.exe") == 0; }, 10000), "the installer has ended");
    c.checks.expect(keyToMenu(menu.window, VK_ESCAPE), "the menu has the keyboard again");
    c.checks.expect(showsSoon(menu.window, kIndexBox, kRestGreen), "Escape takes INDEX SOFTWARE out of hover");
    keyToMenu(menu.window, VK_TAB, {VK_SHIFT});
    c.checks.expect(showsSoon(menu.window, kExitBox, kCyan), "from no focus, Shift+Tab goes to EXIT");

    c.checks.expect(starts.count() == 1, "no key started anything more");
    keyToMenu(menu.window, VK_RETURN);
    expectEnds(c, menu, "Enter on EXIT");
    return c.checks.failures;
}

// What a screen reader finds, from another process: the window and its
// four entries as links by name, the description that follows the pointer,
// places and hit tests on the screen, and the default action starting an
// installer. After EXIT, the object a reader still holds fails its calls
// instead of hanging or crashing the reader.
int caseReaders(Context& c) {
    Starts starts{c.work};
    copyFile(c.helper(L"stub-installer.exe"), join(c.work, L"QUV.exe"));
    Menu menu;
    if (!startMenu(c, menu, c.work)) return c.checks.failures;
    IAccessible* acc = nullptr;
    AccessibleObjectFromWindow(menu.window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&acc));
    c.checks.expect(acc != nullptr, "AccessibleObjectFromWindow gives the menu's object");
    if (!acc) return c.checks.failures;
    c.checks.expect(nameOf(acc, CHILDID_SELF) == L"Tarvelo Installation", "the window is named for the product");

    const std::vector<AccChild> children = readChildren(acc);
    LONG ids[4] = {};
    const wchar_t* entries[4] = {L"ADDRESS SOFTWARE", L"INDEX SOFTWARE", L"OTHER SOFTWARES", L"EXIT"};
    for (int i = 0; i < 4; ++i) {
        const AccChild* entry = findChild(children, entries[i]);
        c.checks.expect(entry && entry->role == ROLE_SYSTEM_LINK, "the entry " + utf8(entries[i]) + " is a link");
        if (entry) ids[i] = entry->id;
    }
    const LONG address = ids[0], index = ids[1], other = ids[2], exit = ids[3];
    bool named = true;
    for (const AccChild& child : children) named = named && !child.name.empty() && child.name != L" ";
    c.checks.expect(named && !children.empty(), "every child a reader finds has a text to read");

    // What each entry does, as a reader speaks it with the entry.
    auto description = [&](LONG id) {
        BSTR text = nullptr;
        std::wstring out;
        if (acc->get_accDescription(childId(id), &text) == S_OK && text) out = text;
        SysFreeString(text);
        return out;
    };
    c.checks.expect(description(address).rfind(utf16(menu::kAddressPrompt) + L". This is just like", 0) == 0,
                    "ADDRESS SOFTWARE describes itself with its prompt and description");
    c.checks.expect(description(index).find(utf16(menu::kOfficeDescription)) != std::wstring::npos,
                    "INDEX SOFTWARE with the office product's description");
    const std::wstring products = description(other);
    c.checks.expect(products.find(L"AGENCY SOFTWARE") != std::wstring::npos &&
                        products.find(L"GARMENTS SOFTWARE") != std::wstring::npos,
                    "OTHER SOFTWARES with the panel's products");
    c.checks.expect(description(exit) == utf16(menu::kExitPrompt), "EXIT with its prompt");

    // While the message box of ADDRESS SOFTWARE (its installer is missing)
    // is open, a reader's action is refused and the entries say so.
    c.checks.expect(acc->accDoDefaultAction(childId(address)) == S_OK, "ADDRESS SOFTWARE's default action is taken");
    HWND messageBox = nullptr;
    c.checks.expect(waitFor([&] { return (messageBox = findMessageBox(menu.window, kTitle)); }, 10000),
                    "and says that its installer is missing");
    if (messageBox) {
        c.checks.expect(FAILED(acc->accDoDefaultAction(childId(exit))), "while the box is open, EXIT's action is refused");
        c.checks.expect(stateOf(acc, exit) & STATE_SYSTEM_UNAVAILABLE, "and EXIT says it is unavailable");
        VARIANT focus;
        VariantInit(&focus);
        c.checks.expect(acc->get_accFocus(&focus) == S_FALSE && !(stateOf(acc, address) & STATE_SYSTEM_FOCUSED),
                        "only the box has the focus");
        PostMessageW(messageBox, WM_COMMAND, IDOK, 0);
        c.checks.expect(waitFor([&] { return !IsWindow(messageBox); }, 5000), "OK closes the box");
        c.checks.expect(waitFor([&] { return (stateOf(acc, address) & STATE_SYSTEM_FOCUSED) != 0; }, 5000),
                        "and the focus is back on ADDRESS SOFTWARE");
        Sleep(500);
        c.checks.expect(processRunning(menu.process.info.dwProcessId) && !findMessageBox(menu.window, kTitle),
                        "the refused action did nothing, then or after the box");
    }

    const std::wstring addressDescription = utf16(menu::kAddressDescription);
    moveMouse(menu.window, kBackground);
    Sleep(300);
    moveMouse(menu.window, kAddress);
    bool read = waitFor([&] { return findChild(readChildren(acc), addressDescription) != nullptr; }, 5000);
    c.checks.expect(read, "with the pointer on ADDRESS SOFTWARE, its description is read");

    const RECT box = locationOf(acc, address), expected = clientRectOnScreen(menu.window, kAddressBox);
    c.checks.expect(EqualRect(&box, &expected), "ADDRESS SOFTWARE lies where it is drawn on the screen");
    const RECT indexBox = clientRectOnScreen(menu.window, kIndexBox);
    VARIANT hit;
    VariantInit(&hit);
    acc->accHitTest((indexBox.left + indexBox.right) / 2, (indexBox.top + indexBox.bottom) / 2, &hit);
    c.checks.expect(hit.vt == VT_I4 && hit.lVal == index, "a hit test on INDEX SOFTWARE finds it");

    c.checks.expect(acc->accDoDefaultAction(childId(index)) == S_OK, "INDEX SOFTWARE's default action is taken");
    c.checks.expect(starts.reach(1), "and starts the office installer");
    settle(500);
    c.checks.expect(starts.count() == 1, "once");

    c.checks.expect(acc->accDoDefaultAction(childId(exit)) == S_OK, "EXIT's default action is taken");
    expectEnds(c, menu, "EXIT by the reader");
    BSTR name = nullptr;
    c.checks.expect(FAILED(acc->get_accName(childId(CHILDID_SELF), &name)) && !name,
                    "the object a reader still holds now fails its calls");
    acc->Release();
    return c.checks.failures;
}

// The DPI Windows reports for a window (GetDpiForWindow, which older systems
// lack), or 0.
UINT windowDpi(HWND window) {
    using GetDpiForWindow = UINT(WINAPI*)(HWND);
    auto get = reinterpret_cast<GetDpiForWindow>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    return get ? get(window) : 0;
}

// The menu at 144 dots per inch (the prefix's LogPixels): it covers the
// screen, lays itself out 1.5 times as large, draws its text at that size,
// and the pointer's hover and clicks land on the scaled boxes. (Wine hands
// out no other process's pointer image: dpi-test checks the hand pointer's
// size in process.)
int caseHighDpi(Context& c) {
    Menu menu;
    if (!startMenu(c, menu, c.work)) return c.checks.failures;
    const UINT dpi = windowDpi(menu.window);
    c.checks.expect(dpi == 144, "the menu window works at 144 dots per inch, got " + std::to_string(dpi));
    RECT window{};
    GetWindowRect(menu.window, &window);
    c.checks.expect(window.left <= 0 && window.top <= 0 && window.right >= GetSystemMetrics(SM_CXSCREEN) &&
                        window.bottom >= GetSystemMetrics(SM_CYSCREEN),
                    "the menu covers the screen");

    Screenshot shot = captureScreen();
    shot.saveBmp(join(c.work, L"menu.bmp"));
    // Picture1 ends where 1.5 times its layout puts it; the window's own
    // white shows right of and below it.
    auto column = [&](int x) { return clientRectOnScreen(menu.window, {x, 10, x + 1, kPictureBottom144 - 10}); };
    auto row = [&](int y) { return clientRectOnScreen(menu.window, {10, y, kPictureRight144 - 10, y + 1}); };
    const int tall = kPictureBottom144 - 20, wide = kPictureRight144 - 20;
    c.checks.expect(shot.count(column(kPictureRight144 - 1), kWhite) < tall / 2 &&
                        shot.count(column(kPictureRight144 + 1), kWhite) == tall,
                    "the background picture box ends 1.5 times as far right");
    c.checks.expect(shot.count(row(kPictureBottom144 - 4), kWhite) < wide / 2 &&
                        shot.count(row(kPictureBottom144 + 1), kWhite) == wide,
                    "the background picture box ends 1.5 times as far down");
    // Text at 144 dots per inch: ADDRESS SOFTWARE nearly fills its scaled
    // box on one line, as it does its box at 96; drawn at the size of 96 it
    // would fill two thirds of it.
    const RECT address = clientRectOnScreen(menu.window, kAddressBox144);
    const RECT ink = shot.bounds(address, kGreen);
    const int inkWide = ink.right - ink.left, inkTall = ink.bottom - ink.top;
    c.checks.expect(inkWide >= (address.right - address.left) * 85 / 100,
                    "ADDRESS SOFTWARE is as wide as 12 points at 144 dots per inch: " + std::to_string(inkWide) +
                        " of " + std::to_string(address.right - address.left) + " pixels");
    c.checks.expect(inkTall >= 15 && inkTall <= 22,
                    "ADDRESS SOFTWARE is one line of that size: " + std::to_string(inkTall) + " pixels high");

    // A point inside the scaled EXIT box but right of its box at 96, then
    // the middle of its box at 96, which at 144 is the background.
    const RECT exitBox = clientRectOnScreen(menu.window, kExitBox144);
    moveMouse(menu.window, {180, 650});
    bool hover = waitFor([&] {
        Screenshot s = captureScreen();
        return s.count(exitBox, kCyan) > 40 && s.count(exitBox, kGreen) == 0;
    }, 5000);
    c.checks.expect(hover, "the pointer over the scaled EXIT box turns it cyan");
    captureScreen().saveBmp(join(c.work, L"hover.bmp"));
    moveMouse(menu.window, kExit);
    bool rest = waitFor([&] {
        Screenshot s = captureScreen();
        return s.count(exitBox, kCyan) == 0 && s.count(exitBox, kRestGreen) > 40;
    }, 5000);
    c.checks.expect(rest, "where EXIT lies at 96 dots per inch the pointer is over the background at 144");

    const RECT indexBox = kIndexBox144;
    expectMessage(c, menu, {(indexBox.left + indexBox.right) / 2, (indexBox.top + indexBox.bottom) / 2}, kQuvMissing,
                  "a click on the scaled INDEX box");
    click(menu.window, {180, 650});
    expectEnds(c, menu, "a click on the scaled EXIT box");
    return c.checks.failures;
}

// An installer file that is not a program: its start fails inside the
// menu, which reports it (a C++ exception thrown where the start fails and
// caught where the click is handled) with the system's reason.
void expectNotAProgram(Context& c, Menu& menu, const std::wstring& quv) {
    HANDLE h = CreateFileW(quv.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(h, "this is not a program\r\n", 23, &written, nullptr);
    CloseHandle(h);
    std::wstring why = expectMessage(c, menu, kIndex, nullptr, "INDEX, a file that is not a program");
    c.checks.expect(why.find(L"Cannot start") == 0 && why.find(L"QUV.EXE") != std::wstring::npos,
                    "the message names the installer and the reason: \"" + utf8(why) + "\"");
    DeleteFileW(quv.c_str());
}

// An installer that cannot start, as the shipping build reports it: the
// missing one, and one that is not a program; the menu answers after each.
int caseStartFailures(Context& c) {
    Menu menu;
    if (!startMenu(c, menu, c.work)) return c.checks.failures;
    expectMessage(c, menu, kIndex, kQuvMissing, "INDEX, no installer");
    expectNotAProgram(c, menu, join(c.work, L"QUV.EXE"));
    exitMenu(c, menu);
    return c.checks.failures;
}

// How many pixels of the menu's client area differ between two screenshots.
long differingInClient(const Screenshot& a, const Screenshot& b, HWND menu) {
    RECT client{};
    GetClientRect(menu, &client);
    const RECT r = clientRectOnScreen(menu, client);
    long n = 0;
    for (int y = std::max(0L, r.top); y < std::min<long>(r.bottom, a.height); ++y)
        for (int x = std::max(0L, r.left); x < std::min<long>(r.right, a.width); ++x) n += a.at(x, y) != b.at(x, y);
    return n;
}

// The pointer moved onto an entry from where it is, and the screen once the
// entry shows its hover.
Screenshot hoverShot(Context& c, HWND menu, POINT entry, const RECT& box, const std::string& what) {
    moveMouse(menu, entry);
    c.checks.expect(showsSoon(menu, box, kCyan), what + ": the entry shows its hover");
    Sleep(300);  // the rest of the repaint
    return captureScreen();
}

// The screen follows the pointer's path, not how often it was sampled: the
// menu opening under a pointer that rests on an entry, and a jump from one
// entry straight onto another in one report, show pixel for pixel what the
// same path through the background shows.
int caseJumps(Context& c) {
    struct Entry {
        const char* name;
        POINT at;
        RECT box;
    };
    const Entry address{"ADDRESS SOFTWARE", kAddress, kAddressBox}, index{"INDEX SOFTWARE", kIndex, kIndexBox},
        other{"OTHER SOFTWARES", kOther, kOtherBox}, exit{"EXIT", kExit, kExitBox};

    // Where ADDRESS SOFTWARE will be: the maximized menu's client area
    // starts at the screen's corner.
    SetCursorPos(kAddress.x, kAddress.y);
    Menu menu;
    if (!startMenu(c, menu, c.work, false)) return c.checks.failures;
    c.checks.expect(showsSoon(menu.window, kAddressBox, kCyan), "opened under the pointer, ADDRESS SOFTWARE shows its hover");
    Sleep(300);
    const Screenshot opened = captureScreen();
    opened.saveBmp(join(c.work, L"opened.bmp"));
    moveMouse(menu.window, kBackground);
    Screenshot path = hoverShot(c, menu.window, kAddress, kAddressBox, "from the background");
    long differing = differingInClient(opened, path, menu.window);
    c.checks.expect(differing == 0, "opening under the pointer shows what coming over the background shows (" +
                                        std::to_string(differing) + " pixels differ)");

    for (auto [from, to] : {std::pair{address, exit}, {exit, index}, {index, other}, {other, address}, {address, other}}) {
        const std::string what = std::string(from.name) + " to " + to.name;
        moveMouse(menu.window, kBackground);
        hoverShot(c, menu.window, from.at, from.box, what);
        moveMouse(menu.window, kBackground);
        path = hoverShot(c, menu.window, to.at, to.box, what + " over the background");
        moveMouse(menu.window, kBackground);
        hoverShot(c, menu.window, from.at, from.box, what);
        const Screenshot jump = hoverShot(c, menu.window, to.at, to.box, what + " in one jump");
        differing = differingInClient(path, jump, menu.window);
        c.checks.expect(differing == 0, what + ": the jump shows what the path over the background shows (" +
                                            std::to_string(differing) + " pixels differ)");
        if (differing) jump.saveBmp(join(c.work, L"jump.bmp"));
    }
    click(menu.window, kExit);
    expectEnds(c, menu, "EXIT");
    return c.checks.failures;
}

// A box of layout pixels as the device pixels it covers at a scale.
RECT scaled(const RECT& r, double scale) {
    auto d = [&](long v) { return static_cast<long>(std::ceil(v * scale - 0.5)); };
    return {d(r.left), d(r.top), d(r.right), d(r.bottom)};
}
POINT centreOf(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// At 192 dots per inch on a 1024x768 desktop the layout at 2 would be
// 1280x960: the menu draws it at 1.6, the largest scale at which it fits,
// so that every entry is on the screen and answers the pointer where it is
// drawn, and EXIT ends the menu.
int caseFit(Context& c) {
    Menu menu;
    if (!startMenu(c, menu, c.work)) return c.checks.failures;
    const UINT dpi = windowDpi(menu.window);
    c.checks.expect(dpi == 192, "the menu window works at 192 dots per inch, got " + std::to_string(dpi));
    const double scale = 1.6;
    Screenshot shot = captureScreen();
    shot.saveBmp(join(c.work, L"menu.bmp"));
    // Picture1 (1..639 across, 1..480 down) ends at 1022 across and on the
    // screen's last row; the window's own white shows right of it.
    const RECT right = clientRectOnScreen(menu.window, {1023, 10, 1024, 758});
    const RECT inside = clientRectOnScreen(menu.window, {1020, 10, 1021, 758});
    c.checks.expect(shot.count(right, kWhite) == 748 && shot.count(inside, kWhite) < 374,
                    "the background ends 1.6 times as far right, two pixels short of the screen's edge");
    const struct {
        const char* name;
        RECT box;
    } entries[] = {{"ADDRESS SOFTWARE", kAddressBox}, {"INDEX SOFTWARE", kIndexBox}, {"OTHER SOFTWARES", kOtherBox},
                   {"EXIT", kExitBox}};
    for (const auto& e : entries) {
        const RECT box = scaled(e.box, scale);
        c.checks.expect(box.bottom <= GetSystemMetrics(SM_CYSCREEN), std::string(e.name) + " lies on the screen");
        moveMouse(menu.window, kBackground);
        moveMouse(menu.window, centreOf(box));
        c.checks.expect(waitFor([&] {
            Screenshot s = captureScreen();
            return s.count(clientRectOnScreen(menu.window, box), kCyan) > 40;
        }, 5000), std::string(e.name) + " turns cyan under the pointer at its place at 1.6");
    }
    captureScreen().saveBmp(join(c.work, L"hover.bmp"));
    click(menu.window, centreOf(scaled(kExitBox, scale)));
    expectEnds(c, menu, "a click on EXIT at 1.6");
    return c.checks.failures;
}

int caseInstallers(Context& c) {
    const std::wstring dir = c.work;
    const std::wstring quv = join(dir, L"QUV.EXE"), quvLower = join(dir, L"quv.exe");
    Starts starts{dir};
    Menu menu;
    if (!startMenu(c, menu, dir)) return c.checks.failures;

    expectMessage(c, menu, kIndex, kQuvMissing, "INDEX, no installer");
    expectMessage(c, menu, kAddress, kMurdeloMissing, "ADDRESS, no installer");

    copyFile(c.helper(L"stub-installer.exe"), quvLower);
    expectStart(c, menu, kIndex, starts, dir, "INDEX, quv.exe in lower case");
    copyFile(c.helper(L"stub-installer.exe"), join(dir, L"MURDELO.EXE"));
    expectStart(c, menu, kAddress, starts, dir, "ADDRESS, MURDELO.EXE in upper case");

    SetFileAttributesW(quvLower.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    expectStart(c, menu, kIndex, starts, dir, "INDEX, read-only archive file");

    for (auto [attribute, name] : {std::pair{FILE_ATTRIBUTE_HIDDEN, "hidden"}, {FILE_ATTRIBUTE_SYSTEM, "system"}}) {
        SetFileAttributesW(quvLower.c_str(), attribute);
        c.checks.expect(GetFileAttributesW(quvLower.c_str()) & attribute, std::string("the file is now ") + name);
        std::size_t before = starts.count();
        expectMessage(c, menu, kIndex, kQuvMissing, std::string("INDEX, ") + name + " file");
        c.checks.expect(starts.count() == before, std::string("INDEX, ") + name + " file: nothing started");
    }
    SetFileAttributesW(quvLower.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(quvLower.c_str());

    CreateDirectoryW(quv.c_str(), nullptr);
    expectMessage(c, menu, kIndex, kQuvMissing, "INDEX, a directory named QUV.EXE");
    RemoveDirectoryW(quv.c_str());

    expectNotAProgram(c, menu, quv);

    // Posted presses are single presses (only the system's own input makes
    // double-clicks): twenty starts in quick succession.
    std::size_t before = starts.count();
    for (int i = 0; i < 20; ++i) postClick(menu.window, kAddress);
    bool all = starts.reach(before + 20, 30000);
    c.checks.expect(all, "twenty posted clicks give twenty starts, got " + std::to_string(starts.count() - before));
    exitMenu(c, menu);
    return c.checks.failures;
}

// The menu in awkward places: a folder with a space and a decoy program
// where an unquoted command line would land, a folder with non-ASCII
// letters, and the root of a drive (R:, which the test maps to WORK-DIR\root).
int casePaths(Context& c) {
    const std::wstring spaced = join(c.work, L"My Disc");
    const std::wstring accented = join(c.work, L"Menü Ĉafé");
    const std::wstring root = L"R:\\";
    for (const std::wstring& d : {spaced, accented}) CreateDirectoryW(d.c_str(), nullptr);
    copyFile(c.helper(L"stub-installer.exe"), join(c.work, L"My.exe"));

    for (const std::wstring& dir : {spaced, accented, root}) {
        const std::string where = utf8(dir);
        copyFile(c.helper(L"stub-installer.exe"), join(dir, L"QUV.exe"));
        Starts starts{dir};
        Menu menu;
        if (!startMenu(c, menu, dir)) continue;
        expectStart(c, menu, kIndex, starts, dir, "INDEX in " + where);
        exitMenu(c, menu);
    }
    c.checks.expect(Starts{spaced}.markers(L"My.exe.*.started").empty() && Starts{c.work}.markers(L"My.exe.*.started").empty(),
                    "the decoy My.exe never ran");
    return c.checks.failures;
}

// The product disc in drive D:, as the maker ships it but for its
// address-book installer: the menu started from the disc's root with another
// current directory starts the office installer from there and reports the
// missing one. A CD is read-only, so the installer leaves its marker in
// WORK-DIR\markers.
int caseDisc(Context& c) {
    const std::wstring root = L"D:\\";
    c.checks.expect(GetDriveTypeW(root.c_str()) == DRIVE_CDROM, "D: is a CD-ROM drive");
    HANDLE probe = CreateFileW(join(root, L"probe.tmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (!GetEnvironmentVariableW(L"DISC_WRITABLE", nullptr, 0))
        c.checks.expect(probe == INVALID_HANDLE_VALUE, "nothing can be written to the disc");
    if (probe != INVALID_HANDLE_VALUE) CloseHandle(probe);
    for (const wchar_t* name : {L"Install.exe", L"autorun.inf", L"QUV.exe"})
        c.checks.expect(GetFileAttributesW(join(root, name).c_str()) != INVALID_FILE_ATTRIBUTES,
                        "the disc holds " + utf8(name));

    const std::wstring markers = join(c.work, L"markers");
    CreateDirectoryW(markers.c_str(), nullptr);
    SetEnvironmentVariableW(L"STUB_MARKER_DIR", markers.c_str());
    Menu menu;
    if (!startMenuAt(c, menu, join(root, L"Install.exe"))) return c.checks.failures;
    expectStart(c, menu, kIndex, Starts{markers}, root, "INDEX from the disc");
    expectMessage(c, menu, kAddress, kMurdeloMissing, "ADDRESS, its installer not on the disc");
    exitMenu(c, menu);
    return c.checks.failures;
}

// A second start while a menu runs (AutoPlay, then a double-click) brings
// that menu to the front and ends at once with status 0: no second window,
// no second taskbar guard, the taskbar still hidden. The first menu's EXIT
// then shows the taskbar, and a start after it is a menu again. A second
// start while the first shows its message box brings the box to the front.
int caseSecond(Context& c) {
    {
        Menu first;
        if (!startMenu(c, first, c.work)) return c.checks.failures;
        c.checks.expect(waitFor([] { return !taskbarVisible(); }, 2000), "the first menu hid the taskbar");
        // Another window in front, as the disc's folder window would be.
        Process other;
        startProgram(other, c.helper(L"stub-installer.exe"), c.work);
        Process second;
        c.checks.expect(startProgram(second, join(c.work, L"Install.exe"), L"C:\\windows"), "a second start runs");
        c.checks.expect(second.waitForExit(15000) == 0, "the second start ends with status 0");
        c.checks.expect(!findWindowOf(second.info.dwProcessId, kMenuClass), "the second start made no menu window");
        c.checks.expect(childProcesses(second.info.dwProcessId, L"Install.exe").empty(),
                        "the second start started no taskbar guard");
        c.checks.expect(GetForegroundWindow() == first.window, "the first menu is brought to the front");
        c.checks.expect(!taskbarVisible(), "the taskbar stays hidden under the first menu");
        c.checks.expect(first.process.running() && processRunning(first.guard), "the first menu and its guard run on");

        // With the message box of a missing installer up, the box comes to the front.
        postClick(first.window, kIndex);
        HWND box = nullptr;
        c.checks.expect(waitFor([&] { return (box = findMessageBox(first.window, kTitle)); }, 10000),
                        "the first menu says that QUV.exe is missing");
        Process third;
        startProgram(third, join(c.work, L"Install.exe"), L"C:\\windows");
        c.checks.expect(third.waitForExit(15000) == 0, "a start while the box is up ends with status 0");
        c.checks.expect(box && GetForegroundWindow() == box, "the message box is brought to the front");
        if (box) PostMessageW(box, WM_COMMAND, IDOK, 0);
        c.checks.expect(waitFor([&] { return !IsWindow(box); }, 5000), "the box closes with OK");
        exitMenu(c, first);
    }
    // After the first menu has ended, a start is the menu again.
    Menu next;
    if (!startMenu(c, next, c.work)) return c.checks.failures;
    c.checks.expect(waitFor([] { return !taskbarVisible(); }, 2000), "a menu started after EXIT hides the taskbar");
    exitMenu(c, next);
    return c.checks.failures;
}

// Explorer, restarted after a crash or an update, makes a new taskbar,
// shown, and broadcasts "TaskbarCreated": while the menu is up it hides
// that taskbar again, and its guard still brings it back when the menu is
// ended from outside. With no menu up the broadcast changes nothing.
int caseTaskbarCreated(Context& c) {
    const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    auto explorerRestarts = [&] {
        ShowWindow(taskbar(), SW_SHOWNORMAL);
        SendNotifyMessageW(HWND_BROADCAST, taskbarCreated, 0, 0);
    };
    Menu menu;
    if (!startMenu(c, menu, c.work)) return c.checks.failures;
    c.checks.expect(waitFor([] { return !taskbarVisible(); }, 2000), "the menu hid the taskbar");
    for (int time = 1; time <= 2; ++time) {
        explorerRestarts();
        c.checks.expect(waitFor([] { return !taskbarVisible(); }, 3000),
                        "the new taskbar is hidden again (restart " + std::to_string(time) + ")");
    }
    TerminateProcess(menu.process.info.hProcess, 1);
    c.checks.expect(menu.process.waitForExit(5000) == 1, "TerminateProcess ends the menu");
    c.checks.expect(waitFor(taskbarVisible, 3000), "the guard shows the new taskbar again");
    expectGuardEnds(c, menu, "TerminateProcess");
    explorerRestarts();
    Sleep(500);
    c.checks.expect(taskbarVisible(), "with no menu up, the taskbar stays shown");
    return c.checks.failures;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: wine-launch-driver CASE WORK-DIR BUILD-DIR\n");
        return 100;
    }
    const std::map<std::wstring, int (*)(Context&)> kCases{
        {L"look", caseLook}, {L"highdpi", caseHighDpi}, {L"endsession", caseEndSession}, {L"fatal", caseFatal},
        {L"installers", caseInstallers}, {L"paths", casePaths}, {L"disc", caseDisc}, {L"clicks", caseClicks},
        {L"guard", caseGuard}, {L"keys", caseKeys}, {L"readers", caseReaders}, {L"second", caseSecond},
        {L"taskbarcreated", caseTaskbarCreated}, {L"twins", caseTwins}, {L"startfailures", caseStartFailures},
        {L"jumps", caseJumps}, {L"fit", caseFit},
    };
    auto it = kCases.find(argv[1]);
    if (it == kCases.end()) {
        std::fprintf(stderr, "wine-launch-driver: no case %ls\n", argv[1]);
        return 100;
    }
    // Screen coordinates in device pixels at any DPI, as the menu's own.
    SetProcessDPIAware();
    Context c{argv[2], argv[3], {}};
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // for the reader's calls
    int failures = it->second(c);
    CoUninitialize();
    std::printf("%s: %d failed\n", utf8(argv[1]).c_str(), failures);
    return failures;
}
