// The C language's exception personality, linked into Install.exe as the C++
// one.
//
// A personality routine reads a function's table of call sites and landing
// pads while an exception unwinds through it. Link-time optimisation gives a
// function that had no such table when it was compiled, and gains one by
// inlining (a constructor of std::function, for instance), GCC's C
// personality instead of the C++ one: libgcc's second routine and its
// decoder (about 1.5 KB) for a program written wholly in C++. The tables are
// the same format, and the C++ routine reads tables of clean-ups alone as the
// C one does; where they differ, at a call the table does not list (code
// that must not throw), the C++ routine's answer (std::terminate) is the one
// the source asked for. Defined here, in an object file of the executable,
// the linker never loads libgcc's. The code generator refers to it after
// link-time optimisation has decided what to keep, hence `used`.
#include <unwind.h>

extern "C" _Unwind_Reason_Code __gxx_personality_v0(int, _Unwind_Action, _Unwind_Exception_Class,
                                                     _Unwind_Exception*, _Unwind_Context*);

extern "C" [[gnu::used]] _Unwind_Reason_Code __gcc_personality_v0(int version, _Unwind_Action actions,
                                                     _Unwind_Exception_Class exceptionClass,
                                                     _Unwind_Exception* exception, _Unwind_Context* context) {
    return __gxx_personality_v0(version, actions, exceptionClass, exception, context);
}
