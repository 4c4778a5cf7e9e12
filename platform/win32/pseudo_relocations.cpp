// The C run time's start-up step that applies pseudo-relocations, linked into
// Install.exe in place of MinGW's.
//
// A pseudo-relocation is the linker's way of letting code reach a variable
// that lives in a DLL as though it were the program's own: the start-up code
// patches each such reference once the DLL is loaded. MinGW's patcher, with
// the section lookup and error report it brings (VirtualProtect, fprintf to
// standard error), is about 3 KB of the executable. Install.exe refers to no
// DLL's variables, and it is linked with --disable-runtime-pseudo-reloc and
// --disable-auto-import (see CMakeLists.txt), so a reference that would need
// one fails the link instead of being patched at start-up: the list is always
// empty, and applying it is doing nothing.
extern "C" void _pei386_runtime_relocator() {}
