// Text at the boundary with Windows: the program keeps UTF-8, every Windows
// call takes UTF-16, and system error numbers become the system's own words.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace platform::win32 {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

// The system's description of a Win32 error number, in UTF-8, without the
// trailing line break; "Error N" when the system has none.
std::string systemMessage(DWORD error);

}  // namespace platform::win32
