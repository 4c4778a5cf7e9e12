// Where Windows looks for the DLLs the program loads.
#pragma once

#include <windows.h>

namespace platform::win32 {

// Restricts DLL loading to the system directory, so that a DLL planted
// beside Install.exe (on a disc, in a download folder) is never loaded. Uses
// SetDefaultDllDirectories where the system has it, and otherwise at least
// takes the current directory out of the search.
void restrictDllSearchToSystem();

// Loads a DLL that is not one of the system's known DLLs (which are always
// taken from the system directory) from the system directory and nowhere
// else: by the system's own search flag where it has it, and otherwise by
// its full path in the system directory. Null when it cannot be loaded.
HMODULE loadSystemLibrary(const wchar_t* name);

// A function of a loaded DLL, as the type it is called through; null when
// the module is null or has no such function.
template <class Function>
Function functionOf(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace platform::win32
