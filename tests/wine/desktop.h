// What the Wine tests do to the desktop from inside it: find windows, wait
// for them, click like a user, read the screen, look at files.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace wine_tests {

// The test's verdict: every failed check is printed, and counted.
struct Checks {
    int failures = 0;
    void expect(bool ok, const std::string& what);
};

// How many times longer than natively every wait may last: RING_TIME_SCALE
// from the environment (the pe32 ring's emulated 32-bit processes run some
// ten times slower), 1 unless set.
int timeScale();

// Lets the programs under test work for ms milliseconds (times timeScale()).
void settle(int ms);

// Polls condition every 50 ms for up to timeoutMs (times timeScale()); true
// once it holds.
bool waitFor(const std::function<bool()>& condition, int timeoutMs);

HWND taskbar();
bool taskbarVisible();

// A started program, and its top-level window of a class.
struct Process {
    PROCESS_INFORMATION info{};
    ~Process();
    bool running() const;
    // Waits for the process to end (up to timeoutMs times timeScale()) and
    // gives its exit code; -1 on a timeout.
    long waitForExit(int timeoutMs) const;
};
bool startProgram(Process& process, const std::wstring& exe, const std::wstring& currentDirectory);
HWND findWindowOf(DWORD processId, const wchar_t* className);
// Ends every process of that executable name (the system's crash reporter,
// for one); returns how many there were.
int endProcessesNamed(const wchar_t* exeName);
// How many processes of that executable name run now.
int processesNamed(const wchar_t* exeName);

// The processes of that executable name that parent started.
std::vector<DWORD> childProcesses(DWORD parent, const wchar_t* exeName);
bool processRunning(DWORD processId);
// Whether the process shows any top-level window.
bool hasVisibleWindow(DWORD processId);
// Holds every thread of the process, or lets them go on.
void suspendProcess(DWORD processId, bool suspend);

// The message box with that title owned by owner, or nullptr.
HWND findMessageBox(HWND owner, const wchar_t* title);
// The text of the message box's prompt.
std::wstring messageBoxText(HWND box);

// Real mouse input at a point of window's client area.
void moveMouse(HWND window, POINT client);
void click(HWND window, POINT client);
// count presses and releases of the left button in a row at one point, 30 ms
// apart: two make a double-click, three a double-click and a click.
void clickRepeatedly(HWND window, POINT client, int count);
// The same click as messages posted to the window, always a single click:
// for many clicks in a row, whatever else comes and goes on the screen.
void postClick(HWND window, POINT client);

// Real keyboard input: key pressed and released while the keys of held are
// down (pressed before it, released after it, in reverse order).
void pressKey(WORD key, std::initializer_list<WORD> held = {});

// The screen as 32-bit pixels, for probing and for a BMP to look at.
struct Screenshot {
    int width = 0, height = 0;
    std::vector<DWORD> pixels;  // 0x00RRGGBB, top row first
    DWORD at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    // How many pixels of the rectangle (screen coordinates) have exactly this colour.
    int count(const RECT& r, DWORD rgb) const;
    // The smallest rectangle around the pixels of that colour inside r;
    // empty when there are none.
    RECT bounds(const RECT& r, DWORD rgb) const;
    bool saveBmp(const std::wstring& path) const;
};
Screenshot captureScreen();
RECT clientRectOnScreen(HWND window, RECT client);

// Files.
std::wstring join(const std::wstring& dir, const std::wstring& name);
bool copyFile(const std::wstring& from, const std::wstring& to);
std::vector<std::wstring> readLines(const std::wstring& path);  // UTF-8 file, one entry a line
std::wstring utf16(const std::string& utf8);
std::string utf8(const std::wstring& wide);

}  // namespace wine_tests
