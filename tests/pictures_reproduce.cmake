# Runs the picture generator into a scratch folder and fails unless it writes
# exactly the files kept in the repository, byte for byte, and no others.
#
#   cmake -DGENERATOR=exe -DSCREEN=source/screen -DSCRATCH=dir -P pictures_reproduce.cmake
file(REMOVE_RECURSE "${SCRATCH}")
execute_process(COMMAND "${GENERATOR}" "${SCRATCH}" RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the picture generator failed (${rc})")
endif()
file(GLOB_RECURSE written RELATIVE "${SCRATCH}" "${SCRATCH}/*")
list(SORT written)
set(expected
  pictures/background.bmp pictures/disc.ico pictures/hand-cursor.ico pictures/hand.ico pictures/logo.wmf
  pictures/window.ico resources/window-icon-30001.dib resources/window-icon-30002.dib resources/window-icon-30003.dib)
if(NOT written STREQUAL expected)
  message(FATAL_ERROR "the generator wrote ${written}, expected ${expected}")
endif()
foreach(f IN LISTS written)
  file(SHA256 "${SCRATCH}/${f}" new)
  file(SHA256 "${SCREEN}/${f}" kept)
  if(NOT new STREQUAL kept)
    message(FATAL_ERROR "screen/${f} differs from what the generator writes now: run picture-generator screen")
  endif()
endforeach()
list(LENGTH written count)
message(STATUS "the generator reproduces all ${count} files in screen/")
