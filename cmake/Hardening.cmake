# Both programs are built as careful vendors build theirs.
#
# - Every function with a local array or address-taken local checks a
#   canary before it returns (-fstack-protector-strong): a stack overflow
#   ends the program instead of running what it wrote. On Windows this is
#   what /GS does for Microsoft's compiler; MinGW's run time for it (libssp)
#   is linked in statically like the C and C++ run times.
# - Library calls whose buffer sizes the compiler knows are checked
#   (_FORTIFY_SOURCE=2, which needs optimisation: glibc and MinGW-w64 both
#   ignore it without, and glibc warns).
# - Linux only: indirect branches marked for the processor's control-flow
#   protection (-fcf-protection), a position-independent executable, and
#   relocations resolved at start-up with the tables made read-only after
#   (-z relro -z now: full RELRO).
#
# The sanitizer and fuzzing presets leave it out: AddressSanitizer checks
# every access itself, and the fortified variants of the library calls
# would bypass its interceptors.
option(HARDENING "Build with the stack protector and fortified library calls (and full RELRO, PIE and CET on Linux)" ON)
if(NOT HARDENING)
  return()
endif()

add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:-fstack-protector-strong>)
add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
if(WIN32)
  # The driver links libssp for the protector when it sees the flag at link time.
  add_link_options(-fstack-protector-strong)
else()
  add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:-fcf-protection>)
  include(CheckPIESupported)
  check_pie_supported(LANGUAGES C CXX)
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  add_link_options(-Wl,-z,relro,-z,now)
endif()
