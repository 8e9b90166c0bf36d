# Turns files into a C++ source that holds their bytes, so resources need no file at run time.
# qv_embed_files(OUTPUT out.cpp TYPE PALETTES FILES a.pal b.pal): each file is stored under its
# name without extension, upper case, with the given resource type.
function(qv_embed_files)
  cmake_parse_arguments(ARG "" "OUTPUT;TYPE" "FILES" ${ARGN})
  add_custom_command(
    OUTPUT ${ARG_OUTPUT}
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${ARG_OUTPUT} -DTYPE=${ARG_TYPE} "-DFILES=${ARG_FILES}"
            -P ${PROJECT_SOURCE_DIR}/cmake/embed_script.cmake
    DEPENDS ${ARG_FILES} ${PROJECT_SOURCE_DIR}/cmake/embed_script.cmake
    VERBATIM)
endfunction()
