# Lays out the disc folder and makes its CD image.
#
#   cmake -DMENU_EXE=path/Install.exe -DINSTALLERS_DIR=dir-or-empty
#         -DDISC_DIR=out/disc -DDISC_ISO=out/tarvelo.iso
#         [signing, below] -P make-disc.cmake
#
# The folder holds Install.exe, autorun.inf and, where INSTALLERS_DIR names a
# folder, the two installers QUV.exe and Murdelo.exe from it. The image is
# ISO 9660 with Joliet names and no Rock Ridge, and is reproducible: every
# file and the volume carry one fixed date.
#
# Install.exe is signed with osslsigncode (Authenticode, SHA-256) when a
# certificate is given, else it goes on the disc unsigned and the script says
# so:
#   SIGN_CERT and SIGN_KEY     the certificate (with its chain) and its key, PEM
#   SIGN_PKCS12                or both in one PKCS#12 file
#   SIGN_PASSWORD_FILE         the key's password, for an encrypted key
#   SIGN_TIMESTAMP_URL         an RFC 3161 timestamp server, or offline
#   SIGN_TSA_CERTS, SIGN_TSA_KEY  a timestamp authority of one's own (tests)
# The signing time is the disc's fixed date, so that the same inputs without
# a timestamp give the same image. When signing fails, the script stops with
# osslsigncode's reason and leaves neither folder nor image.
cmake_minimum_required(VERSION 3.25)

set(DISC_LABEL "TARVELO")
set(FIXED_DATE "202612010000")             # touch -t: the files' date
set(SOURCE_DATE_EPOCH 1796083200)          # 2026-12-01 00:00 UTC: the volume's dates

foreach(var MENU_EXE DISC_DIR DISC_ISO)
  if(NOT DEFINED ${var} OR "${${var}}" STREQUAL "")
    message(FATAL_ERROR "make-disc: ${var} is not set")
  endif()
endforeach()
if(NOT EXISTS "${MENU_EXE}")
  message(FATAL_ERROR "make-disc: no menu program at ${MENU_EXE}; build the win32 preset first")
endif()

# Nothing of an earlier disc stays: a failure below leaves no image that
# could pass for this one.
file(REMOVE_RECURSE "${DISC_DIR}")
file(REMOVE "${DISC_ISO}")
file(MAKE_DIRECTORY "${DISC_DIR}")
include(${CMAKE_CURRENT_LIST_DIR}/sign-install.cmake)
sign_install("${MENU_EXE}" "${DISC_DIR}/Install.exe" ${SOURCE_DATE_EPOCH})

# autorun.inf with the CR LF line ends Windows expects.
file(READ "${CMAKE_CURRENT_LIST_DIR}/autorun.inf.in" autorun)
string(CONFIGURE "${autorun}" autorun @ONLY)
string(REPLACE "\n" "\r\n" autorun "${autorun}")
file(WRITE "${DISC_DIR}/autorun.inf" "${autorun}")

if(DEFINED INSTALLERS_DIR AND NOT "${INSTALLERS_DIR}" STREQUAL "")
  foreach(name QUV.exe Murdelo.exe)
    # The maker's folder may spell the names in any letter case.
    file(GLOB candidates "${INSTALLERS_DIR}/*")
    set(found "")
    foreach(c IN LISTS candidates)
      get_filename_component(base "${c}" NAME)
      string(TOLOWER "${base}" lower)
      string(TOLOWER "${name}" wanted)
      if(lower STREQUAL wanted AND NOT IS_DIRECTORY "${c}")
        set(found "${c}")
      endif()
    endforeach()
    if(found STREQUAL "")
      file(REMOVE_RECURSE "${DISC_DIR}")
      message(FATAL_ERROR "make-disc: ${INSTALLERS_DIR} holds no ${name}")
    endif()
    file(COPY_FILE "${found}" "${DISC_DIR}/${name}")
  endforeach()
endif()

find_program(XORRISO xorriso REQUIRED)
find_program(TOUCH touch REQUIRED)
file(GLOB disc_files "${DISC_DIR}/*")
execute_process(COMMAND "${TOUCH}" -h -t "${FIXED_DATE}" ${disc_files} "${DISC_DIR}" COMMAND_ERROR_IS_FATAL ANY)
# Written under another name first, so that an image cut short by a failure
# is never taken for the disc.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH}
          "${XORRISO}" -as mkisofs -quiet -iso-level 3 --norock -J -joliet-long -V "${DISC_LABEL}"
          -o "${DISC_ISO}.part" "${DISC_DIR}"
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  file(REMOVE "${DISC_ISO}.part")
  message(FATAL_ERROR "make-disc: xorriso failed (${rc}); no image is made")
endif()
file(RENAME "${DISC_ISO}.part" "${DISC_ISO}")
message(STATUS "disc image: ${DISC_ISO}")
