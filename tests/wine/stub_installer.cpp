// Stands in for an installer: writes "<its own file name>.<process id>.started"
// into its working directory, holding the full path it was started as in UTF-8, and
// ends. One marker per start, so that quick repeated starts can be counted.
#include <windows.h>

#include <cstdio>
#include <string>

int wmain() {
    wchar_t self[MAX_PATH * 4];
    DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
    std::wstring path(self, n);
    std::wstring name = path.substr(path.find_last_of(L'\\') + 1);
    const std::wstring file = name + L"." + std::to_wstring(GetCurrentProcessId()) + L".started";
    FILE* marker = _wfopen(file.c_str(), L"wb");
    if (!marker) return 1;
    char utf8[MAX_PATH * 16];
    int bytes = WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), utf8, sizeof utf8,
                                    nullptr, nullptr);
    std::fwrite(utf8, 1, static_cast<std::size_t>(bytes), marker);
    std::fclose(marker);
    return 0;
}
