// Where Windows looks for the DLLs the program loads.
#pragma once

namespace platform::win32 {

// Restricts DLL loading to the system directory, so that a DLL planted
// beside Install.exe (on a disc, in a download folder) is never loaded. Uses
// SetDefaultDllDirectories where the system has it, and otherwise at least
// takes the current directory out of the search.
void restrictDllSearchToSystem();

}  // namespace platform::win32
