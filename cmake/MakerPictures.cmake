# The screen's six picture files: the built-in ones in screen/pictures/, or
# the maker's own from MAKER_PICTURES_DIR, where each file found under one of
# the six names (in any letter case) replaces the built-in one. A maker's
# picture is checked by picture-check (tools/picture-check) against the
# format the screen binds it to, at build time and before anything is
# embedded; a picture that does not fit stops the build with the file and
# the fields that differ.
#
# Sets SCREEN_PICTURES (pairs of a file and its symbol, for embed_files) and
# SCREEN_WINDOW_ICON_IMAGES (the window icon's three images, the
# executable's icon resources), writes GENERATED_DIR/window_icon_images.rc
# (the resource script's lines for those images) and, with maker pictures,
# defines the target maker_pictures that checks them all.

set(MAKER_PICTURES_DIR "" CACHE PATH
    "Folder with the maker's own background.bmp, disc.ico, hand.ico, hand-cursor.ico, logo.wmf, window.ico (any of them)")

set(screen_pictures
  background.bmp background
  disc.ico disc
  hand.ico hand
  hand-cursor.ico hand_cursor
  logo.wmf logo
  window.ico window_icon)
set(window_icon_resources 30001 30002 30003)

set(SCREEN_PICTURES "")
set(SCREEN_WINDOW_ICON_IMAGES "")
foreach(id IN LISTS window_icon_resources)
  list(APPEND SCREEN_WINDOW_ICON_IMAGES ${PROJECT_SOURCE_DIR}/screen/resources/window-icon-${id}.dib)
endforeach()

set(maker_files "")
if(NOT MAKER_PICTURES_DIR STREQUAL "")
  if(NOT IS_DIRECTORY "${MAKER_PICTURES_DIR}")
    message(FATAL_ERROR "MAKER_PICTURES_DIR: there is no folder ${MAKER_PICTURES_DIR}")
  endif()
  # Adding or removing a picture there configures the build again.
  file(GLOB maker_files CONFIGURE_DEPENDS "${MAKER_PICTURES_DIR}/*")
endif()

# Which of the six the maker's folder holds: each name with the maker's file
# or nothing.
set(maker_pictures "")
set(unused_files ${maker_files})
list(LENGTH screen_pictures count)
math(EXPR last "${count} - 1")
foreach(i RANGE 0 ${last} 2)
  list(GET screen_pictures ${i} name)
  foreach(candidate IN LISTS maker_files)
    get_filename_component(base "${candidate}" NAME)
    string(TOLOWER "${base}" lower)
    if(lower STREQUAL name AND NOT IS_DIRECTORY "${candidate}")
      if(DEFINED maker_picture_${name})
        message(FATAL_ERROR "MAKER_PICTURES_DIR: ${MAKER_PICTURES_DIR} holds ${name} twice, "
                            "as ${maker_picture_${name}} and ${candidate}; keep one")
      endif()
      set(maker_picture_${name} "${candidate}")
      list(APPEND maker_pictures ${name})
      list(REMOVE_ITEM unused_files "${candidate}")
    endif()
  endforeach()
endforeach()

if(maker_pictures)
  # The checker runs on the build machine. A cross build makes it there
  # with the build machine's own compiler, as a project of its own.
  if(CMAKE_CROSSCOMPILING)
    include(ExternalProject)
    set(checker_dir ${CMAKE_BINARY_DIR}/picture-check-host)
    set(checker ${checker_dir}/picture-check)
    ExternalProject_Add(picture_check_host
      SOURCE_DIR ${PROJECT_SOURCE_DIR}/tools/picture-check
      BINARY_DIR ${checker_dir}
      CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
      INSTALL_COMMAND ""
      BUILD_ALWAYS ON
      BUILD_BYPRODUCTS ${checker})
    set(checker_depends picture_check_host ${checker})
  else()
    set(checker $<TARGET_FILE:picture-check>)
    set(checker_depends picture-check)
  endif()
  list(JOIN maker_pictures ", " replaced_text)
  message(STATUS "The maker's pictures from ${MAKER_PICTURES_DIR}: ${replaced_text}")
elseif(NOT MAKER_PICTURES_DIR STREQUAL "")
  message(WARNING "MAKER_PICTURES_DIR: ${MAKER_PICTURES_DIR} holds none of the six pictures; "
                  "the built-in ones are used")
endif()
foreach(file IN LISTS unused_files)
  message(WARNING "MAKER_PICTURES_DIR: ${file} is none of the six pictures and is left out "
                  "(background.bmp, disc.ico, hand.ico, hand-cursor.ico, logo.wmf, window.ico)")
endforeach()

# Each picture: ours, or the maker's copy that the checker writes once it
# has found the file good (for the window icon, with its three images).
set(checked_dir ${CMAKE_BINARY_DIR}/maker-pictures)
set(checked_outputs "")
foreach(i RANGE 0 ${last} 2)
  math(EXPR j "${i} + 1")
  list(GET screen_pictures ${i} name)
  list(GET screen_pictures ${j} symbol)
  if(NOT name IN_LIST maker_pictures)
    list(APPEND SCREEN_PICTURES screen/pictures/${name} ${symbol})
    continue()
  endif()
  set(outputs ${checked_dir}/${name})
  if(name STREQUAL "window.ico")
    set(SCREEN_WINDOW_ICON_IMAGES "")
    foreach(id IN LISTS window_icon_resources)
      list(APPEND outputs ${checked_dir}/window-icon-${id}.dib)
      list(APPEND SCREEN_WINDOW_ICON_IMAGES ${checked_dir}/window-icon-${id}.dib)
    endforeach()
  endif()
  add_custom_command(
    OUTPUT ${outputs}
    COMMAND ${checker} --output ${checked_dir} ${maker_picture_${name}}
    DEPENDS ${maker_picture_${name}} ${checker_depends}
    COMMENT "Checking the maker's ${name}"
    VERBATIM)
  list(APPEND checked_outputs ${outputs})
  list(APPEND SCREEN_PICTURES ${checked_dir}/${name} ${symbol})
endforeach()
if(checked_outputs)
  add_custom_target(maker_pictures DEPENDS ${checked_outputs})
endif()

# The resource script's icon images, by number.
set(rc_lines "")
foreach(id image IN ZIP_LISTS window_icon_resources SCREEN_WINDOW_ICON_IMAGES)
  string(APPEND rc_lines "${id} 3 \"${image}\"\n")
endforeach()
set(rc_text "// The window icon's images as the executable's icon resources (RT_ICON).
// Generated by cmake/MakerPictures.cmake; do not edit.
${rc_lines}")
# Rewritten only when it changes, so that a configure step alone rebuilds nothing.
set(rc_file ${GENERATED_DIR}/window_icon_images.rc)
set(rc_old "")
if(EXISTS ${rc_file})
  file(READ ${rc_file} rc_old)
endif()
if(NOT rc_old STREQUAL rc_text)
  file(WRITE ${rc_file} "${rc_text}")
endif()
