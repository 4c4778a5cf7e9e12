// Reads the resources of the shipping Install.exe back through Windows' own
// API, as Explorer does: the version block (fixed part, translation, the six
// strings and their order), the icon group 1 and its icons 30001 to 30003,
// and the manifest: its execution level and supported systems, and, read
// back through an activation context made from it, its DPI awareness and
// its dependency on the current common controls. Run under
// wine64 on the 32-bit exe:
//
//   resource-check.exe Z:\path\Install.exe
//
// Prints one line per check and exits 1 when any fails.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "picture_formats.h"

namespace {

int failures = 0;

void check(bool ok, const char* what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
    if (!ok) ++failures;
}

void check(bool ok, const std::string& what) { check(ok, what.c_str()); }

unsigned word(const BYTE* p) { return p[0] | p[1] << 8; }
unsigned dword(const BYTE* p) { return word(p) | word(p + 2) << 16; }

// One node of a version block: its key, its value and its children.
struct Node {
    std::wstring key;
    std::wstring text;  // for a text value
    std::vector<Node> children;
};

std::size_t align4(std::size_t n) { return (n + 3) & ~std::size_t(3); }

Node readNode(const BYTE* base, std::size_t at) {
    Node n;
    const std::size_t length = word(base + at), valueLength = word(base + at + 2), type = word(base + at + 4);
    std::size_t p = at + 6;
    while (word(base + p)) {
        n.key.push_back(static_cast<wchar_t>(word(base + p)));
        p += 2;
    }
    p = align4(p + 2);
    const std::size_t valueBytes = type == 1 ? valueLength * 2 : valueLength;
    if (type == 1)
        for (std::size_t i = 0; i + 1 < valueLength; ++i) n.text.push_back(static_cast<wchar_t>(word(base + p + 2 * i)));
    p = align4(p + valueBytes);
    while (p < at + length) {
        Node child = readNode(base, p);
        n.children.push_back(child);
        p = align4(p + word(base + p));
    }
    return n;
}

void checkVersion(const wchar_t* exe) {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(exe, &ignored);
    check(size > 0, "the exe has a version block");
    if (!size) return;
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(exe, 0, size, block.data())) return check(false, "GetFileVersionInfoW reads it");

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length);
    check(fixed && length == sizeof *fixed && fixed->dwSignature == 0xFEEF04BD, "the fixed part is there");
    if (!fixed) return;
    check(fixed->dwFileVersionMS == 0x00010000 && fixed->dwFileVersionLS == 0, "file version 1.0.0.0");
    check(fixed->dwProductVersionMS == 0x00010000 && fixed->dwProductVersionLS == 0, "product version 1.0.0.0");
    check(fixed->dwFileFlagsMask == 0 && fixed->dwFileFlags == 0, "flags mask 0, flags 0");
    check(fixed->dwFileDateMS == 0 && fixed->dwFileDateLS == 0, "file date 0");
    check(fixed->dwFileOS == VOS__WINDOWS32, "operating system 4 (32-bit Windows)");
    check(fixed->dwFileType == VFT_APP && fixed->dwFileSubtype == 0, "file type 1 (application), subtype 0");

    WORD* translation = nullptr;
    VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length);
    check(translation && length == 4 && translation[0] == 0x0409 && translation[1] == 0x04B0,
          "one translation, 0x0409 with 0x04B0");

    const wchar_t* strings[][2] = {{L"CompanyName", L"Tarvelo"},       {L"ProductName", L"Tarvelo Installation"},
                                   {L"FileVersion", L"1.00"},          {L"ProductVersion", L"1.00"},
                                   {L"InternalName", L"Install"},      {L"OriginalFilename", L"Install.exe"}};
    for (const auto& s : strings) {
        std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + s[0];
        wchar_t* value = nullptr;
        VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length);
        std::string what = "string " + std::string(s[0], s[0] + wcslen(s[0]));
        check(value && std::wstring(value) == s[1], what.c_str());
    }

    // The block's layout, read directly: the translation before the string
    // table, one table "040904B0" with exactly the six strings.
    Node root = readNode(block.data(), 0);
    check(root.key == L"VS_VERSION_INFO", "the block is VS_VERSION_INFO");
    check(root.children.size() == 2 && root.children[0].key == L"VarFileInfo" &&
              root.children[1].key == L"StringFileInfo",
          "VarFileInfo comes before StringFileInfo, and nothing else");
    if (root.children.size() == 2) {
        const Node& table = root.children[1];
        check(table.children.size() == 1 && table.children[0].key == L"040904B0", "one string table, 040904B0");
        if (!table.children.empty()) {
            const auto& entries = table.children[0].children;
            bool same = entries.size() == 6;
            for (std::size_t i = 0; same && i < 6; ++i)
                same = entries[i].key == strings[i][0] && entries[i].text == strings[i][1];
            check(same, "the table holds exactly the six strings");
        }
    }
}

BOOL CALLBACK countName(HMODULE, LPCWSTR, LPWSTR, LONG_PTR count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

const BYTE* resource(HMODULE m, int id, LPCWSTR type, DWORD* size) {
    HRSRC r = FindResourceW(m, MAKEINTRESOURCEW(id), type);
    if (!r) return nullptr;
    *size = SizeofResource(m, r);
    return static_cast<const BYTE*>(LockResource(LoadResource(m, r)));
}

void checkIconsAndManifest(const wchar_t* exe) {
    HMODULE m = LoadLibraryExW(exe, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    check(m != nullptr, "the exe loads as a resource file");
    if (!m) return;
    int groups = 0, icons = 0;
    EnumResourceNamesW(m, RT_GROUP_ICON, countName, reinterpret_cast<LONG_PTR>(&groups));
    EnumResourceNamesW(m, RT_ICON, countName, reinterpret_cast<LONG_PTR>(&icons));
    check(groups == 1 && icons == 3, "one icon group and three icons");

    DWORD size = 0;
    const BYTE* group = resource(m, 1, RT_GROUP_ICON, &size);
    check(group && size == 6 + 3 * 14 && word(group + 2) == 1 && word(group + 4) == 3, "icon group 1 of 3 entries");
    // The window icon's images as the screen's picture format has them:
    // 32 by 32 at 1 bit (2 colours, 304 bytes), at 4 bits (16 colours, 744
    // bytes), and 16 by 16 at 4 bits (296 bytes).
    struct Expected {
        int width, height, colours, bits;
        DWORD bytes;
        int id;
    } expected[3];
    for (int i = 0; i < 3; ++i) {
        const picturecheck::IconImageFormat& f = picturecheck::kWindowIcon[i];
        expected[i] = {f.size, f.size, f.directoryColourCount, f.bitsPerPixel, picturecheck::imageBytes(f),
                       picturecheck::kWindowIconFirstResource + i};
    }
    for (int i = 0; group && size == 48 && i < 3; ++i) {
        const BYTE* e = group + 6 + 14 * i;
        const Expected& x = expected[i];
        char what[96];
        std::snprintf(what, sizeof what, "entry %d: %dx%d, %d colours, %d bits, %lu bytes, icon %d", i + 1, x.width,
                      x.height, x.colours, x.bits, static_cast<unsigned long>(x.bytes), x.id);
        check(e[0] == x.width && e[1] == x.height && e[2] == x.colours && word(e + 4) == 1 &&
                  static_cast<int>(word(e + 6)) == x.bits && dword(e + 8) == x.bytes &&
                  static_cast<int>(word(e + 12)) == x.id,
              what);
        DWORD iconSize = 0;
        const BYTE* icon = resource(m, x.id, RT_ICON, &iconSize);
        std::snprintf(what, sizeof what, "icon %d: a %lu-byte image with a 40-byte header and doubled height", x.id,
                      static_cast<unsigned long>(x.bytes));
        check(icon && iconSize == x.bytes && dword(icon) == 40 && static_cast<int>(dword(icon + 4)) == x.width &&
                  static_cast<int>(dword(icon + 8)) == 2 * x.height && static_cast<int>(word(icon + 14)) == x.bits,
              what);
    }

    const BYTE* manifest = resource(m, 1, MAKEINTRESOURCEW(24), &size);
    check(manifest != nullptr, "manifest 1 (RT_MANIFEST)");
    if (manifest) {
        std::string text(reinterpret_cast<const char*>(manifest), size);
        auto has = [&](const char* s) { return text.find(s) != std::string::npos; };
        check(has("level=\"asInvoker\"") && has("uiAccess=\"false\""), "runs as invoker, without UI access");
        check(has("{35138b9a-5d96-4fbd-8e2d-a2440225f93a}") && has("{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}") &&
                  has("{1f676c76-80e1-4239-95bb-83d0f6d0da78}") && has("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"),
              "supports Windows 7, 8, 8.1 and 10/11");
        check(has("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"") &&
                  has("publicKeyToken=\"6595b64144ccf1df\""),
              "depends on the common controls 6");
    }
    FreeLibrary(m);
}

// The manifest as the system reads it: an activation context made from the
// exe's manifest, with the common controls it depends on, and the DPI
// settings Windows takes from it.
void checkActivationContext(const wchar_t* exe) {
    ACTCTXW request{};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = exe;
    request.lpResourceName = MAKEINTRESOURCEW(1);
    HANDLE context = CreateActCtxW(&request);
    check(context != INVALID_HANDLE_VALUE,
          "the system makes an activation context of the manifest (error " + std::to_string(GetLastError()) + ")");
    if (context == INVALID_HANDLE_VALUE) return;
    struct Setting {
        const wchar_t* space;
        const wchar_t* name;
        const wchar_t* value;
    } settings[] = {
        {L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware", L"true/pm"},
        {L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness", L"PerMonitorV2, PerMonitor"},
    };
    for (const Setting& s : settings) {
        wchar_t value[64] = {};
        SIZE_T written = 0;
        const BOOL read = QueryActCtxSettingsW(0, context, s.space, s.name, value, 64, &written);
        std::string what(s.name, s.name + wcslen(s.name));
        check(read && std::wstring(value) == s.value, what + " reads \"" + std::string(s.value, s.value + wcslen(s.value)) +
                                                          "\"");
    }
    ReleaseActCtx(context);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: resource-check INSTALL.EXE\n");
        return 2;
    }
    checkVersion(argv[1]);
    checkIconsAndManifest(argv[1]);
    checkActivationContext(argv[1]);
    return failures ? 1 : 0;
}
