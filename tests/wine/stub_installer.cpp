// Stands in for an installer: writes "<its own file name>.<process id>.started",
// holding the full path it was started as and, on a second line, its working
// directory, both in UTF-8, and ends. One marker per start, so that quick
// repeated starts can be counted. A windowed program, as a setup is, that
// never shows a window (a console program would put a console over the menu).
//
// The marker goes into the working directory, or into the folder that
// STUB_MARKER_DIR names: an installer started from a CD has nowhere to write
// beside itself.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string toUtf8(const std::wstring& s) {
    int bytes = WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), bytes, nullptr, nullptr);
    return out;
}

}  // namespace

int wmain() {
    wchar_t buffer[MAX_PATH * 4];
    std::wstring path(buffer, GetModuleFileNameW(nullptr, buffer, MAX_PATH * 4));
    std::wstring cwd(buffer, GetCurrentDirectoryW(MAX_PATH * 4, buffer));
    std::wstring markers(buffer, GetEnvironmentVariableW(L"STUB_MARKER_DIR", buffer, MAX_PATH * 4));
    if (!markers.empty() && markers.back() != L'\\') markers += L'\\';

    std::wstring name = path.substr(path.find_last_of(L'\\') + 1);
    const std::wstring file = markers + name + L"." + std::to_wstring(GetCurrentProcessId()) + L".started";
    FILE* marker = _wfopen(file.c_str(), L"wb");
    if (!marker) return 1;
    const std::string content = toUtf8(path) + "\n" + toUtf8(cwd) + "\n";
    std::fwrite(content.data(), 1, content.size(), marker);
    return std::fclose(marker) == 0 ? 0 : 1;
}
