// The C++ run time's record of the exceptions being handled, linked into
// Install.exe in place of libstdc++'s.
//
// The library keeps that record per thread: its __cxa_get_globals reaches it
// through GCC's emulated thread-local storage, which brings the emulation,
// its thread-key destructors and the C run time's TLS callbacks into the
// executable (about 3 KB). Install.exe runs all of its code on one thread
// (the window's; no Windows program of the project starts a thread, see the
// top-level CMakeLists.txt), so one record for the process is the same
// record. Defined here, in an object file of the executable, both functions
// of the library's archive member are taken from here and the linker never
// loads it (should a later libstdc++ add a function to that member, the link
// fails on the duplicate definitions instead).
//
// The record's layout is the C++ ABI's (__cxa_eh_globals): the chain of
// caught exceptions, then the count of thrown and not yet caught ones.

namespace {

struct ExceptionGlobals {
    void* caughtExceptions;
    unsigned int uncaughtExceptions;
};

ExceptionGlobals globals;  // zero: nothing caught, nothing in flight

}  // namespace

namespace __cxxabiv1 {

struct __cxa_eh_globals;

extern "C" __cxa_eh_globals* __cxa_get_globals() noexcept { return reinterpret_cast<__cxa_eh_globals*>(&globals); }
extern "C" __cxa_eh_globals* __cxa_get_globals_fast() noexcept {
    return reinterpret_cast<__cxa_eh_globals*>(&globals);
}

}  // namespace __cxxabiv1
