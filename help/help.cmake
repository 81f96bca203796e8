# The help file: the HTML pages under help/ compiled with chmcmd into talvero.chm beside the
# program. chmcmd leaves a partial file behind when it fails (and crashes with 217 on a missing
# input), so the build compiles in a work folder and only moves a complete file into place.
find_program(CHMCMD_EXECUTABLE chmcmd)
file(GLOB _talvero_help_inputs CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.htm
     ${CMAKE_CURRENT_LIST_DIR}/*.hhc ${CMAKE_CURRENT_LIST_DIR}/*.hhp)
set(TALVERO_HELP_FILE ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/talvero.chm)

# The page "Command line" is made from the programs' own --help, as their manual pages are. The
# program waits for the help file before it is linked, so a twin built from the same source
# prints its --help for the page.
add_executable(talvero-usage ${PROJECT_SOURCE_DIR}/src/gui/shell/main.cpp)
target_link_libraries(talvero-usage PRIVATE talvero_gui_whole)
set_target_properties(talvero-usage PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools
                                               EXCLUDE_FROM_ALL ON)
set(_talvero_generated_help ${CMAKE_BINARY_DIR}/help_pages)
file(GLOB _talvero_cli_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tools/cli/*.cpp)
add_custom_command(OUTPUT ${_talvero_generated_help}/command_line.htm
  COMMAND ${CMAKE_COMMAND} -E make_directory ${_talvero_generated_help}
  COMMAND ${CMAKE_COMMAND} -DTEMPLATE=${CMAKE_CURRENT_LIST_DIR}/command_line.htm.in
          -DOUTPUT=${_talvero_generated_help}/command_line.htm -DCOMMANDS_OF=talvero-cli
          "-DPROGRAMS=talvero=$<TARGET_FILE:talvero-usage>,talvero-cli=$<TARGET_FILE:talvero-cli>,talvero-radiosim=$<TARGET_FILE:talvero-radiosim>"
          -P ${CMAKE_CURRENT_LIST_DIR}/command_line_page.cmake
  DEPENDS talvero-usage talvero-cli talvero-radiosim ${_talvero_cli_sources}
          ${CMAKE_CURRENT_LIST_DIR}/command_line.htm.in ${CMAKE_CURRENT_LIST_DIR}/command_line_page.cmake
  COMMENT "Help page command_line.htm from the programs' --help")

if(CHMCMD_EXECUTABLE)
  add_custom_command(OUTPUT ${TALVERO_HELP_FILE}
    COMMAND ${CMAKE_COMMAND} -DCHMCMD=${CHMCMD_EXECUTABLE} -DSOURCE=${CMAKE_CURRENT_LIST_DIR}
            -DGENERATED=${_talvero_generated_help} -DWORK=${CMAKE_BINARY_DIR}/help
            -DOUTPUT=${TALVERO_HELP_FILE} -P ${CMAKE_CURRENT_LIST_DIR}/compile_help.cmake
    DEPENDS ${_talvero_help_inputs} ${CMAKE_CURRENT_LIST_DIR}/compile_help.cmake
            ${_talvero_generated_help}/command_line.htm
    COMMENT "Help file talvero.chm")
  add_custom_target(talvero_help ALL DEPENDS ${TALVERO_HELP_FILE})
else()
  message(WARNING "chmcmd (fp-utils) not found: the program is built without its help file")
  add_custom_target(talvero_help)
endif()
