# embed_files(TARGET NAMESPACE ns FILES path symbol [path symbol ...])
#
# Compiles each file into TARGET as a byte array ns::symbol, declared with its
# length in embedded/symbol.h (see embed_file.cmake), regenerated whenever the
# file changes. TARGET and what links it include the headers as
# "embedded/symbol.h".
set(EMBED_FILE_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/embed_file.cmake)

function(embed_files target)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "NAMESPACE" "FILES")
  list(LENGTH ARG_FILES count)
  math(EXPR last "${count} - 1")
  foreach(i RANGE 0 ${last} 2)
    math(EXPR j "${i} + 1")
    list(GET ARG_FILES ${i} path)
    list(GET ARG_FILES ${j} symbol)
    cmake_path(ABSOLUTE_PATH path BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} OUTPUT_VARIABLE input)
    set(output ${CMAKE_CURRENT_BINARY_DIR}/embedded/${symbol}.cpp)
    set(header ${CMAKE_CURRENT_BINARY_DIR}/embedded/${symbol}.h)
    add_custom_command(
      OUTPUT ${output} ${header}
      COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DHEADER=${header} -DSYMBOL=${symbol}
              -DNAMESPACE=${ARG_NAMESPACE} -P ${EMBED_FILE_SCRIPT}
      DEPENDS ${input} ${EMBED_FILE_SCRIPT}
      COMMENT "Embedding ${path}"
      VERBATIM)
    target_sources(${target} PRIVATE ${output} ${header})
  endforeach()
  target_include_directories(${target} PUBLIC ${CMAKE_CURRENT_BINARY_DIR})
endfunction()
