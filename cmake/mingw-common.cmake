# What both MinGW-w64 toolchains share; the including file sets
# CMAKE_SYSTEM_PROCESSOR and MINGW_TRIPLET first.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)
set(CMAKE_OBJDUMP ${MINGW_TRIPLET}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Install.exe is measured in bytes: the background bitmap it carries should
# be most of the file.
# - Release builds optimise for size (the cache entries are made here, before
#   CMake would fill them with -O3), across the whole program: link-time
#   optimisation drops what nothing calls. A section per function would not:
#   the linker keeps every .eh_frame entry and with it the code it describes.
# - No Windows program of the project starts a thread, so function-local
#   statics need no locking, and none uses dynamic_cast or typeid (exceptions
#   keep the type information they need).
set(CMAKE_C_FLAGS_RELEASE "-Os -DNDEBUG" CACHE STRING "C compiler flags of Release builds")
set(CMAKE_CXX_FLAGS_RELEASE "-Os -DNDEBUG" CACHE STRING "C++ compiler flags of Release builds")
set(CMAKE_INTERPROCEDURAL_OPTIMIZATION_RELEASE ON)
set(CMAKE_CXX_FLAGS_INIT "-fno-threadsafe-statics -fno-rtti")
