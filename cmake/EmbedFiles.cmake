# wobbert_embed_files(<target> SYMBOL <name> FILES <file>...)
#
# Turns binary files into constant data: generates a source file that defines
#   extern const wobbert::EmbeddedFile <name>[<count>]
# (see src/toolkit/embedded_file.h), one entry per file in the order given, and adds it to
# <target>. The conversion runs in CMake itself, so cross builds need no host tool.
function(wobbert_embed_files target)
  cmake_parse_arguments(ARG "" "SYMBOL" "FILES" ${ARGN})
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${ARG_SYMBOL}.cpp)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DSYMBOL=${ARG_SYMBOL} -DOUTPUT=${output}
            "-DFILES=${ARG_FILES}" -P ${CMAKE_SOURCE_DIR}/cmake/EmbedFilesScript.cmake
    DEPENDS ${ARG_FILES} ${CMAKE_SOURCE_DIR}/cmake/EmbedFilesScript.cmake
    COMMENT "Embedding ${ARG_SYMBOL}"
    VERBATIM)
  target_sources(${target} PRIVATE ${output})
endfunction()
