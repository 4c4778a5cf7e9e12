// The Windows shell services on real directories, under Wine: the
// application directory, the installer lookup with its attribute rules, and
// starting an installer exactly as found, in the right directory, with the
// failures said; and a DLL that is loaded at run time comes from the system
// directory even with a planted one beside the program; the taskbar is
// hidden without waiting for the thread that owns it. Installers are copies of stub-installer.exe, which lies
// beside this program and leaves a marker file for every start.
//
//   shell-test          runs in the directory this program lies in
//   shell-test root     this program lies in the root of a drive ("T:\")
//   shell-test crash    the taskbar comes back when a program with the crash
//                       guard dies of an uncaught C++ exception (in a child
//                       run of this program). An access violation is left
//                       out: Wine then starts its debugger, which does not
//                       end in time.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include <stdexcept>

#include "forms/runtime_error.h"
#include "platform/win32/crash_guard.h"
#include "platform/win32/dll_search.h"
#include "platform/win32/taskbar_guard.h"
#include "platform/win32/unicode.h"
#include "platform/win32/win32_shell.h"

namespace {

using platform::win32::narrow;
using platform::win32::widen;
namespace attributes = forms::attributes;

int failures = 0;

void check(bool ok, const std::string& what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what.c_str());
    std::fflush(stdout);
    if (!ok) ++failures;
}

// Joined as the menu joins them: a root already ends in its separator.
std::string join(const std::string& dir, const std::string& name) {
    return !dir.empty() && dir.back() == '\\' ? dir + name : dir + "\\" + name;
}

void makeDir(const std::string& path) { CreateDirectoryW(widen(path).c_str(), nullptr); }

void writeFile(const std::string& path, const std::string& text, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    HANDLE h = CreateFileW(widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    DWORD written = 0;
    WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(h);
    SetFileAttributesW(widen(path).c_str(), attributes);
}

void copyStub(const std::string& stub, const std::string& to) {
    CopyFileW(widen(stub).c_str(), widen(to).c_str(), FALSE);
}

// The markers "<name>.*.started" in dir, waited for until count of them are
// there (or a few seconds have gone); returns how many there are and the
// path one of them was started as (its first line).
int markers(const std::string& dir, const std::string& name, int count, std::string* text = nullptr) {
    int found = 0;
    for (int tries = 0; tries < 100; ++tries) {
        found = 0;
        WIN32_FIND_DATAW data;
        HANDLE h = FindFirstFileW(widen(join(dir, name + ".*.started")).c_str(), &data);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                ++found;
                if (text) {
                    FILE* f = _wfopen(widen(join(dir, narrow(data.cFileName))).c_str(), L"rb");
                    char buffer[1024] = {};
                    if (f) {
                        std::fread(buffer, 1, sizeof buffer - 1, f);
                        std::fclose(f);
                    }
                    *text = std::string(buffer).substr(0, std::strcspn(buffer, "\n"));
                }
            } while (FindNextFileW(h, &data));
            FindClose(h);
        }
        if (found >= count) break;
        Sleep(100);
    }
    return found;
}

bool startFails(platform::win32::Win32Shell& shell, const std::string& program, const std::string& dir,
                std::string* reason) {
    try {
        shell.startProcess(program, dir, forms::show::kNormal);
    } catch (const forms::RuntimeError& e) {
        *reason = e.description();
        return e.number() != forms::kStartCancelled;
    }
    return false;
}

void lookupRules(platform::win32::Win32Shell& shell, const std::string& base) {
    const std::string dir = join(base, "lookup");
    makeDir(dir);
    writeFile(join(dir, "quv.exe"), "x");
    check(shell.dir(join(dir, "QUV.EXE"), attributes::kNormal) == "quv.exe",
          "the lookup finds the installer whatever its letter case, and gives its name on disc");
    check(shell.dir(join(dir, "Murdelo.EXE"), attributes::kNormal).empty(), "a missing installer is not found");
    check(shell.dir(join(join(dir, "no such folder"), "QUV.EXE"), attributes::kNormal).empty(),
          "a lookup in a missing folder finds nothing and raises nothing");

    const std::string folder = join(base, "folder");
    makeDir(folder);
    makeDir(join(folder, "QUV.EXE"));
    check(shell.dir(join(folder, "QUV.EXE"), attributes::kNormal).empty(),
          "a directory named like the installer is not taken for it");
    check(shell.dir(join(folder, "QUV.EXE"), attributes::kDirectory) == "QUV.EXE",
          "the directory is found when the mask asks for directories");

    struct Case {
        const char* folder;
        DWORD attribute;
        int mask;
        bool found;
        const char* what;
    };
    const Case cases[] = {
        {"hidden", FILE_ATTRIBUTE_HIDDEN, attributes::kNormal, false, "a hidden installer is not found"},
        {"system", FILE_ATTRIBUTE_SYSTEM, attributes::kNormal, false, "a system file is not found"},
        {"readonly", FILE_ATTRIBUTE_READONLY, attributes::kNormal, true, "a read-only installer is found"},
        {"archive", FILE_ATTRIBUTE_ARCHIVE, attributes::kNormal, true, "an archive-flagged installer is found"},
        {"hidden-asked", FILE_ATTRIBUTE_HIDDEN, attributes::kHidden, true, "a hidden file is found when asked for"},
    };
    for (const Case& c : cases) {
        const std::string d = join(base, c.folder);
        makeDir(d);
        writeFile(join(d, "QUV.EXE"), "x", c.attribute);
        check(shell.dir(join(d, "QUV.EXE"), c.mask).empty() != c.found, c.what);
    }
}

void starts(platform::win32::Win32Shell& shell, const std::string& base, const std::string& stub) {
    // A folder with a space and letters beyond ASCII, and a decoy where an
    // unquoted command line would land ("...\My.exe" for "...\My Disc\...").
    const std::string disc = join(base, "My Disc \xC3\xBC\xCE\xA9");
    makeDir(disc);
    copyStub(stub, join(disc, "QUV.exe"));
    copyStub(stub, join(base, "My.exe"));
    const std::string program = join(disc, shell.dir(join(disc, "QUV.EXE"), attributes::kNormal));
    shell.startProcess(program, disc, forms::show::kNormal);
    std::string startedAs;
    check(markers(disc, "QUV.exe", 1, &startedAs) == 1,
          "the installer starts from a folder with a space and non-ASCII letters");
    check(startedAs == program, "it runs as exactly the file found (" + startedAs + ")");
    check(markers(disc, "My.exe", 0) == 0 && markers(base, "My.exe", 0) == 0,
          "the decoy where an unquoted command line would land never runs");

    // The working directory is the one given, not this program's own.
    const std::string work = join(base, "work");
    makeDir(work);
    shell.startProcess(program, work, forms::show::kNormal);
    check(markers(work, "QUV.exe", 1) == 1, "the installer starts in the working directory it is given");

    // Every click starts again; nothing waits.
    const std::string quick = join(base, "quick");
    makeDir(quick);
    for (int i = 0; i < 20; ++i) shell.startProcess(program, quick, forms::show::kNormal);
    check(markers(quick, "QUV.exe", 20) == 20, "twenty quick starts give twenty installer runs");

    const std::string bad = join(base, "bad");
    makeDir(bad);
    writeFile(join(bad, "QUV.EXE"), "this is not a program\r\n");
    std::string reason;
    const bool failed = startFails(shell, join(bad, "QUV.EXE"), bad, &reason);
    check(failed && !reason.empty(),
          "a file that is not a program fails with the system's reason (" + reason + ")");
}

// A child run: dies with the crash guard in place.
[[noreturn]] void die(std::wstring_view how) {
    platform::win32::installCrashGuard();
    if (how == L"throw") throw std::runtime_error("uncaught");
    std::abort();
}

void crashes(const std::string& self) {
    for (const wchar_t* how : {L"throw"}) {
        // The desktop's taskbar may still be on its way when this program starts.
        HWND taskbar = nullptr;
        for (int tries = 0; tries < 200 && !taskbar; ++tries) {
            taskbar = FindWindowA("Shell_TrayWnd", nullptr);
            if (!taskbar) Sleep(100);
        }
        check(taskbar != nullptr, "the desktop has a taskbar");
        ShowWindow(taskbar, SW_HIDE);
        std::wstring line = L"\"" + widen(self) + L"\" die " + how;
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
            check(false, "the child starts");
            continue;
        }
        const bool ended = WaitForSingleObject(pi.hProcess, 20000) == WAIT_OBJECT_0;
        DWORD code = 0;
        GetExitCodeProcess(pi.hProcess, &code);
        if (!ended) TerminateProcess(pi.hProcess, 1);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        const std::string what = narrow(how);
        check(ended && code != 0, "the child dies (" + what + ")");
        check(IsWindowVisible(FindWindowA("Shell_TrayWnd", nullptr)), "the taskbar is shown again (" + what + ")");
    }
}

// The taskbar belongs to another program's thread, which may be busy or hung
// (Wine's desktop process, without a window manager, is held up to 2 s
// hiding it). Hiding it does not wait for that thread, so the menu's first
// frame never does; it is hidden as soon as the thread answers, and showing
// it again is done before the call returns. The stand-in taskbar is a
// window of a thread that takes no messages until told to.
struct BusyTaskbar {
    HANDLE created = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE answer = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE quit = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HWND window = nullptr;
    platform::win32::Win32Shell* shell = nullptr;
};

// The taskbar's thread: makes the window, takes no message until answer is
// set, then takes them until quit is.
DWORD WINAPI busyTaskbarThread(void* context) {
    auto* bar = static_cast<BusyTaskbar*>(context);
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"BusyTaskbar";
    RegisterClassW(&wc);
    bar->window = CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, 40, 20,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    SetEvent(bar->created);
    WaitForSingleObject(bar->answer, INFINITE);
    while (MsgWaitForMultipleObjects(1, &bar->quit, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    DestroyWindow(bar->window);
    return 0;
}

forms::TaskbarWindows windowsOf(const BusyTaskbar& bar) { return {{reinterpret_cast<std::uintptr_t>(bar.window)}}; }

DWORD WINAPI hideThread(void* context) {
    auto* bar = static_cast<BusyTaskbar*>(context);
    bar->shell->showWindow(windowsOf(*bar), forms::show::kHide);
    return 0;
}

void busyTaskbar(platform::win32::Win32Shell& shell) {
    BusyTaskbar bar;
    bar.shell = &shell;
    HANDLE owner = CreateThread(nullptr, 0, busyTaskbarThread, &bar, 0, nullptr);
    WaitForSingleObject(bar.created, 10000);
    check(bar.window && IsWindowVisible(bar.window), "the stand-in taskbar is up");

    HANDLE hiding = CreateThread(nullptr, 0, hideThread, &bar, 0, nullptr);
    // A call that waited would wait for ever: the owner takes no messages.
    check(WaitForSingleObject(hiding, 10000) == WAIT_OBJECT_0,
          "hiding the taskbar does not wait for a thread that does not answer");
    SetEvent(bar.answer);
    WaitForSingleObject(hiding, INFINITE);
    CloseHandle(hiding);
    bool hidden = false;
    for (int tries = 0; tries < 100 && !hidden; ++tries) {
        hidden = !IsWindowVisible(bar.window);
        if (!hidden) Sleep(50);
    }
    check(hidden, "the taskbar is hidden once its thread answers");
    shell.showWindow(windowsOf(bar), forms::show::kNormal);
    check(IsWindowVisible(bar.window), "showing the taskbar again is done when the call returns");

    SetEvent(bar.quit);
    WaitForSingleObject(owner, 10000);
    CloseHandle(owner);
    for (HANDLE h : {bar.created, bar.answer, bar.quit}) CloseHandle(h);
}

// The menu defers hiding the taskbar until its first frame is on the
// screen. A hide asked for meanwhile waits and is made when the deferral
// ends; a show asked for after it takes its place, so the taskbar is never
// hidden by a request the menu has already taken back.
void deferredHide(platform::win32::Win32Shell& shell) {
    BusyTaskbar bar;
    SetEvent(bar.answer);  // a taskbar that answers at once
    HANDLE owner = CreateThread(nullptr, 0, busyTaskbarThread, &bar, 0, nullptr);
    WaitForSingleObject(bar.created, 10000);
    const auto hiddenWithin = [&](int ms) {
        for (int waited = 0; waited < ms && IsWindowVisible(bar.window); waited += 50) Sleep(50);
        return !IsWindowVisible(bar.window);
    };

    shell.deferTaskbarHide(true);
    shell.showWindow(windowsOf(bar), forms::show::kHide);
    check(!hiddenWithin(500), "a hide asked for while deferred waits");
    shell.deferTaskbarHide(false);
    check(hiddenWithin(5000), "the waiting hide is made when the deferral ends");
    shell.showWindow(windowsOf(bar), forms::show::kNormal);
    check(IsWindowVisible(bar.window), "the taskbar is shown again");

    shell.deferTaskbarHide(true);
    shell.showWindow(windowsOf(bar), forms::show::kHide);
    shell.showWindow(windowsOf(bar), forms::show::kNormal);
    shell.deferTaskbarHide(false);
    check(!hiddenWithin(500), "a show after a waiting hide takes its place");

    SetEvent(bar.quit);
    WaitForSingleObject(owner, 10000);
    CloseHandle(owner);
    for (HANDLE h : {bar.created, bar.answer, bar.quit}) CloseHandle(h);
}

// A planted oleacc.dll beside the program (not a DLL at all: loading it
// would fail) is passed over for the system's.
void plantedDll(const std::string& app) {
    const std::string planted = join(app, "oleacc.dll");
    writeFile(planted, "MZ planted");
    HMODULE module = platform::win32::loadSystemLibrary(L"oleacc.dll");
    wchar_t path[MAX_PATH] = {}, system[MAX_PATH] = {};
    if (module) GetModuleFileNameW(module, path, MAX_PATH);
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring loaded(path), systemDir = std::wstring(system) + L"\\";
    check(module && _wcsnicmp(loaded.c_str(), systemDir.c_str(), systemDir.size()) == 0,
          "oleacc.dll is loaded from the system directory, not from beside the program: " + narrow(loaded));
    DeleteFileW(widen(planted).c_str());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // Hiding a taskbar starts a copy of this program as its guard.
    const wchar_t* arguments = GetCommandLineW();
    for (bool quoted = false; *arguments && (quoted || *arguments != L' '); ++arguments)
        if (*arguments == L'"') quoted = !quoted;
    while (*arguments == L' ') ++arguments;
    if (platform::win32::runTaskbarGuard(arguments)) return 0;
    const std::wstring_view mode = argc > 1 ? argv[1] : L"";
    if (mode == L"die" && argc > 2) die(argv[2]);
    const bool root = mode == L"root";
    platform::win32::Win32Shell shell;
    const std::string app = shell.appPath();
    std::printf("application directory: %s\n", app.c_str());
    check(shell.dir(join(app, "shell-test.exe"), attributes::kNormal) == "shell-test.exe",
          "the application directory holds this program");
    if (root) {
        check(app.size() == 3 && app[1] == ':' && app[2] == '\\', "a drive root is given as \"X:\\\"");
    } else {
        check(!app.empty() && app.back() != '\\', "a folder is given without a trailing backslash");
    }
    const std::string stub = join(app, "stub-installer.exe");

    if (mode == L"crash") {
        crashes(join(app, "shell-test.exe"));
    } else if (root) {
        copyStub(stub, join(app, "QUV.exe"));
        const std::string found = shell.dir(join(app, "QUV.EXE"), attributes::kNormal);
        check(found == "QUV.exe", "the installer is found in the root of the drive");
        check(shell.dir(app + "\\QUV.EXE", attributes::kNormal) == found,
              "a doubled backslash after the root finds the same file");
        shell.startProcess(join(app, found), app, forms::show::kNormal);
        check(markers(app, "QUV.exe", 1) == 1, "the installer starts from the root of the drive");
    } else {
        const std::string base = join(app, "scratch");
        makeDir(base);
        lookupRules(shell, base);
        starts(shell, base, stub);
        busyTaskbar(shell);
        deferredHide(shell);
        plantedDll(app);
    }
    return failures == 0 ? 0 : 1;
}
