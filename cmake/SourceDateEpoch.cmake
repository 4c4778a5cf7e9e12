# The shipping programs' PE timestamp is a fixed time, not the time of the
# link, so that two builds of one commit give the same bytes: the
# SOURCE_DATE_EPOCH of the configure step's environment where it is set (a
# package build sets it), otherwise the time of the last commit. GNU ld
# writes SOURCE_DATE_EPOCH from its own environment as the timestamp; the
# programs linked as shipping programs (platform/win32) link under the
# launcher PE_TIMESTAMP_LAUNCHER, which sets it.
#
# A commit changes the time: the configure step runs again after each one
# (the checkout's HEAD log is one of its inputs), and those programs are
# linked again with the new time.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(source_date_epoch "$ENV{SOURCE_DATE_EPOCH}")
  set(source_date_from "the environment")
else()
  find_package(Git QUIET)
  if(GIT_FOUND)
    execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct
                    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE source_date_epoch
                    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE git_failed)
    execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --path-format=absolute --git-path logs/HEAD
                    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE head_log
                    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(git_failed)
      unset(source_date_epoch)
    else()
      set(source_date_from "the last commit")
      if(EXISTS "${head_log}")
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${head_log}")
      endif()
    endif()
  endif()
endif()

if(NOT DEFINED source_date_epoch)
  message(STATUS "PE timestamp: the time of the link (no SOURCE_DATE_EPOCH and no git history to take one from)")
  return()
endif()
if(NOT source_date_epoch MATCHES "^[0-9]+$")
  message(FATAL_ERROR "SOURCE_DATE_EPOCH must be a number of seconds since 1970, got \"${source_date_epoch}\"")
endif()
message(STATUS "PE timestamp: ${source_date_epoch}, from ${source_date_from}")
set(PE_TIMESTAMP_LAUNCHER ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${source_date_epoch})
