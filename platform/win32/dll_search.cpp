#include "platform/win32/dll_search.h"

#include <windows.h>

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

namespace platform::win32 {

void restrictDllSearchToSystem() {
    // Looked up by name: Windows 7 without update KB2533623 lacks it.
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    FARPROC found = kernel ? GetProcAddress(kernel, "SetDefaultDllDirectories") : nullptr;
    if (found) {
        auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(found));
        if (setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
    }
    SetDllDirectoryW(L"");
}

}  // namespace platform::win32
