# The maker's details that the menu shows: its postal address, its telephone
# area code and number, and its e-mail address. They are cache variables, set
# when the build is configured (-DMAKER_PHONE=... or all in one file with
# `cmake -C maker.cmake`, see maker.cmake.example), and compiled into both
# programs as the header GENERATED_DIR/maker_details.h; nothing is read at
# run time. A value that cannot be shown as one line of text stops the
# configure step with a message that names the variable.

set(MAKER_ADDRESS "Tarvelo House, 14 Mill Road, Eastbury 560012" CACHE STRING
    "The maker's postal address, shown under the name")
set(MAKER_STD_CODE "0484" CACHE STRING "The maker's telephone area code, shown after \"  STD : \"")
set(MAKER_PHONE "235018" CACHE STRING "The maker's telephone number, shown after \"Phone : \"")
set(MAKER_EMAIL "install@tarvelo.example" CACHE STRING
    "The maker's e-mail address, shown in the contact line")

# Stops the configure step unless the variable holds one line of UTF-8 text:
# not empty, no control character (C0, DEL or C1), every byte sequence a
# well-formed UTF-8 character (no overlong forms, surrogates or code points
# past U+10FFFF), nothing cut short at the end.
function(maker_check_text variable)
  set(text "${${variable}}")
  if(text STREQUAL "")
    message(FATAL_ERROR "${variable} is empty: the menu shows it, so give it a text.")
  endif()
  string(HEX "${text}" hex)
  string(LENGTH "${hex}" digits)
  math(EXPR last "${digits} / 2 - 1")
  set(pending 0)        # continuation bytes the current character still needs
  set(low 128)          # the range the next continuation byte must lie in
  set(high 191)
  foreach(i RANGE 0 ${last})
    math(EXPR at "${i} * 2")
    string(SUBSTRING "${hex}" ${at} 2 digits2)
    math(EXPR byte "0x${digits2}")
    math(EXPR position "${i} + 1")
    if(pending EQUAL 0)
      set(lead ${byte})
      set(lead_position ${position})
      set(lead_digits ${digits2})
    endif()
    if(pending GREATER 0)
      if(byte LESS low OR byte GREATER high)
        message(FATAL_ERROR "${variable} is not valid UTF-8 (the character at byte ${lead_position}, "
                            "0x${lead_digits}, is malformed): write the file that sets it in UTF-8.")
      endif()
      if(lead EQUAL 194 AND byte LESS 160)  # U+0080 to U+009F
        message(FATAL_ERROR "${variable} holds a control character (U+00${digits2} at byte ${lead_position}): "
                            "give it as one line of plain text.")
      endif()
      math(EXPR pending "${pending} - 1")
      set(low 128)
      set(high 191)
    elseif(byte LESS 32 OR byte EQUAL 127)
      message(FATAL_ERROR "${variable} holds a control character (0x${digits2} at byte ${position}): "
                          "give it as one line of plain text.")
    elseif(byte LESS 128)
      # ASCII
    elseif(byte GREATER_EQUAL 194 AND byte LESS_EQUAL 223)
      set(pending 1)
    elseif(byte GREATER_EQUAL 224 AND byte LESS_EQUAL 239)
      set(pending 2)
      if(byte EQUAL 224)      # no overlong three-byte forms
        set(low 160)
      elseif(byte EQUAL 237)  # no surrogates
        set(high 159)
      endif()
    elseif(byte GREATER_EQUAL 240 AND byte LESS_EQUAL 244)
      set(pending 3)
      if(byte EQUAL 240)      # no overlong four-byte forms
        set(low 144)
      elseif(byte EQUAL 244)  # nothing past U+10FFFF
        set(high 143)
      endif()
    else()
      message(FATAL_ERROR "${variable} is not valid UTF-8 (byte ${position} is 0x${digits2}, which starts "
                          "no character): write the file that sets it in UTF-8.")
    endif()
  endforeach()
  if(pending GREATER 0)
    message(FATAL_ERROR "${variable} is not valid UTF-8 (its last character is cut short): "
                        "write the file that sets it in UTF-8.")
  endif()
endfunction()

foreach(variable MAKER_ADDRESS MAKER_STD_CODE MAKER_PHONE MAKER_EMAIL)
  maker_check_text(${variable})
endforeach()

string(REGEX MATCHALL "@" ats "${MAKER_EMAIL}")
list(LENGTH ats at_count)
if(NOT at_count EQUAL 1)
  message(FATAL_ERROR "MAKER_EMAIL must hold exactly one \"@\", it holds ${at_count}: \"${MAKER_EMAIL}\".")
endif()
if(MAKER_EMAIL MATCHES "^@" OR MAKER_EMAIL MATCHES "@$")
  message(FATAL_ERROR "MAKER_EMAIL needs a name before its \"@\" and a domain after it: \"${MAKER_EMAIL}\".")
endif()

# The values as C++ string literals. The area code and the number go into
# labels that draw "&x" as an underlined x, so an "&" of theirs is doubled to
# be drawn as itself; the address label and the contact line draw captions
# as they stand.
function(maker_literal out value)
  string(REPLACE "\\" "\\\\" value "${value}")
  string(REPLACE "\"" "\\\"" value "${value}")
  set(${out} "\"${value}\"" PARENT_SCOPE)
endfunction()
maker_literal(MAKER_ADDRESS_LITERAL "${MAKER_ADDRESS}")
string(REPLACE "&" "&&" std_caption "${MAKER_STD_CODE}")
maker_literal(MAKER_STD_CODE_LITERAL "${std_caption}")
string(REPLACE "&" "&&" phone_caption "${MAKER_PHONE}")
maker_literal(MAKER_PHONE_LITERAL "${phone_caption}")
maker_literal(MAKER_EMAIL_LITERAL "${MAKER_EMAIL}")

# Rewritten only when a value changes, so that a configure step alone
# rebuilds nothing.
configure_file(${CMAKE_CURRENT_LIST_DIR}/maker_details.h.in ${GENERATED_DIR}/maker_details.h @ONLY)
