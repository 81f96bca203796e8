# Language files: each lang/talvero.<id>.txt becomes talvero.<id>.lang beside the program.
add_executable(talvero-lang-compile ${CMAKE_CURRENT_LIST_DIR}/lang_compile.cpp
                                    ${PROJECT_SOURCE_DIR}/src/platform/unicode.cpp)
target_include_directories(talvero-lang-compile PRIVATE ${PROJECT_SOURCE_DIR}/src)
set_target_properties(talvero-lang-compile PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)

file(GLOB _talvero_lang_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/talvero.*.txt)
set(TALVERO_LANG_FILES)
foreach(_src ${_talvero_lang_sources})
  get_filename_component(_name ${_src} NAME_WE)  # talvero
  string(REGEX REPLACE "^.*\\.([0-9a-f][0-9a-f][0-9a-f][0-9a-f])\\.txt$" "\\1" _id ${_src})
  set(_out ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/talvero.${_id}.lang)
  add_custom_command(OUTPUT ${_out}
    COMMAND talvero-lang-compile ${_src} ${_out}
    DEPENDS talvero-lang-compile ${_src}
    COMMENT "Language file talvero.${_id}.lang")
  list(APPEND TALVERO_LANG_FILES ${_out})
endforeach()
add_custom_target(talvero_lang ALL DEPENDS ${TALVERO_LANG_FILES})
