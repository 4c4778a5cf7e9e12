#include "desktop.h"

#include <tlhelp32.h>

#include <algorithm>
#include <utility>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace wine_tests {

void Checks::expect(bool ok, const std::string& what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAIL", what.c_str());
    std::fflush(stdout);
    if (!ok) ++failures;
}

int timeScale() {
    static const int scale = [] {
        wchar_t value[16] = {};
        const int n = GetEnvironmentVariableW(L"RING_TIME_SCALE", value, 16) > 0 ? _wtoi(value) : 1;
        return n > 0 ? n : 1;
    }();
    return scale;
}

void settle(int ms) { Sleep(static_cast<DWORD>(ms) * timeScale()); }

bool waitFor(const std::function<bool()>& condition, int timeoutMs) {
    timeoutMs *= timeScale();
    for (int waited = 0;; waited += 50) {
        if (condition()) return true;
        if (waited >= timeoutMs) return false;
        Sleep(50);
    }
}

HWND taskbar() { return FindWindowA("Shell_TrayWnd", nullptr); }

bool taskbarVisible() {
    HWND h = taskbar();
    return h && IsWindowVisible(h);
}

Process::~Process() {
    if (info.hProcess) CloseHandle(info.hProcess);
    if (info.hThread) CloseHandle(info.hThread);
}

bool Process::running() const { return WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT; }

long Process::waitForExit(int timeoutMs) const {
    if (WaitForSingleObject(info.hProcess, static_cast<DWORD>(timeoutMs) * timeScale()) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    return static_cast<long>(code);
}

bool startProgram(Process& process, const std::wstring& exe, const std::wstring& currentDirectory) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    return CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          currentDirectory.c_str(), &si, &process.info) != FALSE;
}

namespace {

struct WindowQuery {
    DWORD processId;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND h, LPARAM p) {
    auto* q = reinterpret_cast<WindowQuery*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    wchar_t name[128] = {};
    GetClassNameW(h, name, 128);
    if (pid == q->processId && lstrcmpW(name, q->className) == 0 && IsWindowVisible(h)) {
        q->found = h;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK collectStatic(HWND h, LPARAM p) {
    wchar_t name[32] = {};
    GetClassNameW(h, name, 32);
    if (lstrcmpiW(name, L"Static") == 0) {
        wchar_t text[1024] = {};
        GetWindowTextW(h, text, 1024);
        if (text[0]) *reinterpret_cast<std::wstring*>(p) += text;
    }
    return TRUE;
}

}  // namespace

HWND findWindowOf(DWORD processId, const wchar_t* className) {
    WindowQuery q{processId, className, nullptr};
    EnumWindows(&matchWindow, reinterpret_cast<LPARAM>(&q));
    return q.found;
}

namespace {

// Calls what for every running process of that executable name; returns how
// many there were.
int forEachProcessNamed(const wchar_t* exeName, const std::function<void(DWORD)>& what) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    int found = 0;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (lstrcmpiW(entry.szExeFile, exeName) != 0) continue;
        what(entry.th32ProcessID);
        ++found;
    }
    CloseHandle(snapshot);
    return found;
}

}  // namespace

int endProcessesNamed(const wchar_t* exeName) {
    int ended = 0;
    forEachProcessNamed(exeName, [&](DWORD id) {
        if (HANDLE p = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
            TerminateProcess(p, 1);
            WaitForSingleObject(p, 5000);
            CloseHandle(p);
            ++ended;
        }
    });
    return ended;
}

int processesNamed(const wchar_t* exeName) {
    return forEachProcessNamed(exeName, [](DWORD) {});
}

std::vector<DWORD> childProcesses(DWORD parent, const wchar_t* exeName) {
    std::vector<DWORD> found;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return found;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
        if (entry.th32ParentProcessID == parent && lstrcmpiW(entry.szExeFile, exeName) == 0)
            found.push_back(entry.th32ProcessID);
    CloseHandle(snapshot);
    return found;
}

bool processRunning(DWORD processId) {
    HANDLE p = OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (!p) return false;
    const bool running = WaitForSingleObject(p, 0) == WAIT_TIMEOUT;
    CloseHandle(p);
    return running;
}

namespace {

BOOL CALLBACK matchVisible(HWND h, LPARAM p) {
    auto* query = reinterpret_cast<std::pair<DWORD, bool>*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == query->first && IsWindowVisible(h)) {
        query->second = true;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

bool hasVisibleWindow(DWORD processId) {
    std::pair<DWORD, bool> query{processId, false};
    EnumWindows(&matchVisible, reinterpret_cast<LPARAM>(&query));
    return query.second;
}

void suspendProcess(DWORD processId, bool suspend) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != processId) continue;
        if (HANDLE t = OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID)) {
            suspend ? SuspendThread(t) : ResumeThread(t);
            CloseHandle(t);
        }
    }
    CloseHandle(snapshot);
}

HWND findMessageBox(HWND owner, const wchar_t* title) {
    HWND box = FindWindowW(L"#32770", title);
    if (!box || !IsWindowVisible(box)) return nullptr;
    return GetWindow(box, GW_OWNER) == owner ? box : nullptr;
}

std::wstring messageBoxText(HWND box) {
    std::wstring text;
    EnumChildWindows(box, &collectStatic, reinterpret_cast<LPARAM>(&text));
    return text;
}

namespace {

void sendMouse(DWORD flags, POINT screen) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &in, sizeof in);
    Sleep(30);
}

POINT toScreen(HWND window, POINT client) {
    ClientToScreen(window, &client);
    return client;
}

}  // namespace

void moveMouse(HWND window, POINT client) {
    POINT p = toScreen(window, client);
    sendMouse(0, {p.x - 1, p.y});
    sendMouse(0, p);
}

void click(HWND window, POINT client) { clickRepeatedly(window, client, 1); }

void clickRepeatedly(HWND window, POINT client, int count) {
    moveMouse(window, client);
    POINT p = toScreen(window, client);
    for (int i = 0; i < count; ++i) {
        sendMouse(MOUSEEVENTF_LEFTDOWN, p);
        sendMouse(MOUSEEVENTF_LEFTUP, p);
    }
}

void postClick(HWND window, POINT client) {
    const LPARAM at = MAKELPARAM(client.x, client.y);
    PostMessageW(window, WM_MOUSEMOVE, 0, at);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(window, WM_LBUTTONUP, 0, at);
    Sleep(30);
}

namespace {

void sendKey(WORD key, DWORD flags) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = key;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = flags;
    SendInput(1, &in, sizeof in);
    Sleep(30);
}

}  // namespace

void pressKey(WORD key, std::initializer_list<WORD> held) {
    for (WORD h : held) sendKey(h, 0);
    sendKey(key, 0);
    sendKey(key, KEYEVENTF_KEYUP);
    for (auto h = std::rbegin(held); h != std::rend(held); ++h) sendKey(*h, KEYEVENTF_KEYUP);
}

int Screenshot::count(const RECT& r, DWORD rgb) const {
    int n = 0;
    for (int y = std::max(0L, r.top); y < std::min<long>(height, r.bottom); ++y)
        for (int x = std::max(0L, r.left); x < std::min<long>(width, r.right); ++x)
            if (at(x, y) == rgb) ++n;
    return n;
}

RECT Screenshot::bounds(const RECT& r, DWORD rgb) const {
    RECT b{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
    for (int y = std::max(0L, r.top); y < std::min<long>(height, r.bottom); ++y)
        for (int x = std::max(0L, r.left); x < std::min<long>(width, r.right); ++x)
            if (at(x, y) == rgb) b = {std::min<LONG>(b.left, x), std::min<LONG>(b.top, y),
                                      std::max<LONG>(b.right, x + 1), std::max<LONG>(b.bottom, y + 1)};
    return b.left == LONG_MAX ? RECT{} : b;
}

Screenshot captureScreen() {
    Screenshot shot;
    shot.width = GetSystemMetrics(SM_CXSCREEN);
    shot.height = GetSystemMetrics(SM_CYSCREEN);
    shot.pixels.resize(static_cast<std::size_t>(shot.width) * shot.height);
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), shot.width, -shot.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, shot.width, shot.height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const DWORD* p = static_cast<const DWORD*>(bits);
    for (std::size_t i = 0; i < shot.pixels.size(); ++i) shot.pixels[i] = p[i] & 0x00FFFFFF;
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return shot;
}

bool Screenshot::saveBmp(const std::wstring& path) const {
    BITMAPINFOHEADER info{sizeof info, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    DWORD imageSize = static_cast<DWORD>(pixels.size() * 4);
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof file + sizeof info + imageSize), 0, 0,
                          static_cast<DWORD>(sizeof file + sizeof info)};
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(reinterpret_cast<const char*>(pixels.data()), imageSize);
    return static_cast<bool>(out);
}

RECT clientRectOnScreen(HWND window, RECT client) {
    POINT tl{client.left, client.top}, br{client.right, client.bottom};
    ClientToScreen(window, &tl);
    ClientToScreen(window, &br);
    return {tl.x, tl.y, br.x, br.y};
}

std::wstring join(const std::wstring& dir, const std::wstring& name) {
    if (!dir.empty() && dir.back() == L'\\') return dir + name;
    return dir + L"\\" + name;
}

bool copyFile(const std::wstring& from, const std::wstring& to) { return CopyFileW(from.c_str(), to.c_str(), FALSE); }

std::vector<std::wstring> readLines(const std::wstring& path) {
    std::vector<std::wstring> lines;
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(utf16(line));
    }
    return lines;
}

std::wstring utf16(const std::string& s) {
    if (s.empty()) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

std::string utf8(const std::wstring& w) {
    if (w.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

}  // namespace wine_tests
