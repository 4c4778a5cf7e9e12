# sign_install(INPUT OUTPUT SIGNING_TIME): writes the menu program INPUT to
# OUTPUT, signed with osslsigncode when the SIGN_* variables (see
# make-disc.cmake) name a certificate, else as it is, saying once that it is
# not signed. SIGNING_TIME (seconds since 1970) is the signature's signing
# time: without a timestamp the same inputs give the same bytes. A failure
# stops the script with osslsigncode's own reason and removes the folder
# OUTPUT lies in.

function(sign_install input output signing_time)
  get_filename_component(folder "${output}" DIRECTORY)
  macro(refuse why)
    file(REMOVE_RECURSE "${folder}")
    message(FATAL_ERROR "make-disc: ${why}")
  endmacro()
  foreach(var SIGN_CERT SIGN_KEY SIGN_PKCS12 SIGN_PASSWORD_FILE SIGN_TIMESTAMP_URL SIGN_TSA_CERTS SIGN_TSA_KEY)
    if(NOT DEFINED ${var})
      set(${var} "")
    endif()
  endforeach()

  # Which credentials: a PEM pair or a PKCS#12 file, never half of one or both.
  set(credentials "")
  if(NOT SIGN_CERT STREQUAL "" OR NOT SIGN_KEY STREQUAL "")
    if(SIGN_CERT STREQUAL "")
      refuse("SIGN_KEY is set but SIGN_CERT is not: give the certificate that goes with the key")
    elseif(SIGN_KEY STREQUAL "")
      refuse("SIGN_CERT is set but SIGN_KEY is not: give the certificate's private key")
    elseif(NOT SIGN_PKCS12 STREQUAL "")
      refuse("give either SIGN_CERT and SIGN_KEY or SIGN_PKCS12, not both")
    endif()
    set(credentials -certs "${SIGN_CERT}" -key "${SIGN_KEY}")
    set(signer "${SIGN_CERT}")
  elseif(NOT SIGN_PKCS12 STREQUAL "")
    set(credentials -pkcs12 "${SIGN_PKCS12}")
    set(signer "${SIGN_PKCS12}")
  endif()
  if(credentials STREQUAL "")
    foreach(var SIGN_PASSWORD_FILE SIGN_TIMESTAMP_URL SIGN_TSA_CERTS SIGN_TSA_KEY)
      if(NOT ${var} STREQUAL "")
        refuse("${var} is set but there is no certificate to sign with (SIGN_CERT and SIGN_KEY, or SIGN_PKCS12)")
      endif()
    endforeach()
    file(COPY_FILE "${input}" "${output}")
    message(STATUS "Install.exe is not signed: no SIGN_CERT and SIGN_KEY, nor SIGN_PKCS12")
    return()
  endif()
  if(NOT SIGN_PASSWORD_FILE STREQUAL "")
    list(APPEND credentials -readpass "${SIGN_PASSWORD_FILE}")
  endif()

  # The timestamp: from a server, or from an authority of one's own offline.
  set(timestamp "")
  set(timestamped "")
  if(NOT SIGN_TSA_CERTS STREQUAL "" OR NOT SIGN_TSA_KEY STREQUAL "")
    if(SIGN_TSA_CERTS STREQUAL "" OR SIGN_TSA_KEY STREQUAL "")
      refuse("SIGN_TSA_CERTS and SIGN_TSA_KEY go together")
    elseif(NOT SIGN_TIMESTAMP_URL STREQUAL "")
      refuse("give either SIGN_TIMESTAMP_URL or SIGN_TSA_CERTS and SIGN_TSA_KEY, not both")
    endif()
    set(timestamp -TSA-certs "${SIGN_TSA_CERTS}" -TSA-key "${SIGN_TSA_KEY}")
    set(timestamped ", timestamped by the authority ${SIGN_TSA_CERTS}")
  elseif(NOT SIGN_TIMESTAMP_URL STREQUAL "")
    set(timestamp -ts "${SIGN_TIMESTAMP_URL}")
    set(timestamped ", timestamped by ${SIGN_TIMESTAMP_URL}")
  endif()

  find_program(OSSLSIGNCODE osslsigncode)
  if(NOT OSSLSIGNCODE)
    refuse("osslsigncode is not installed (Debian's package osslsigncode); it signs Install.exe")
  endif()
  # osslsigncode does not overwrite: it writes a new file beside the output.
  file(REMOVE "${output}.signed")
  execute_process(
    COMMAND "${OSSLSIGNCODE}" sign ${credentials} -h sha256 -st ${signing_time} ${timestamp}
            -in "${input}" -out "${output}.signed"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    # Its own lines, indented so that CMake prints them as they are.
    string(STRIP "${err}\n${out}" reason)
    string(REPLACE "\n" "\n  " reason "  ${reason}")
    refuse("signing Install.exe failed, so no image is made; osslsigncode says:\n${reason}")
  endif()
  file(RENAME "${output}.signed" "${output}")
  message(STATUS "Install.exe is signed with ${signer}${timestamped}")
endfunction()
