# The help file: the HTML pages under help/ compiled with chmcmd into talvero.chm beside the
# program. chmcmd leaves a partial file behind when it fails (and crashes with 217 on a missing
# input), so the build compiles in a work folder and only moves a complete file into place.
find_program(CHMCMD_EXECUTABLE chmcmd)
file(GLOB _talvero_help_inputs CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.htm
     ${CMAKE_CURRENT_LIST_DIR}/*.hhc ${CMAKE_CURRENT_LIST_DIR}/*.hhp)
set(TALVERO_HELP_FILE ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/talvero.chm)
if(CHMCMD_EXECUTABLE)
  add_custom_command(OUTPUT ${TALVERO_HELP_FILE}
    COMMAND ${CMAKE_COMMAND} -DCHMCMD=${CHMCMD_EXECUTABLE} -DSOURCE=${CMAKE_CURRENT_LIST_DIR}
            -DWORK=${CMAKE_BINARY_DIR}/help -DOUTPUT=${TALVERO_HELP_FILE}
            -P ${CMAKE_CURRENT_LIST_DIR}/compile_help.cmake
    DEPENDS ${_talvero_help_inputs} ${CMAKE_CURRENT_LIST_DIR}/compile_help.cmake
    COMMENT "Help file talvero.chm")
  add_custom_target(talvero_help ALL DEPENDS ${TALVERO_HELP_FILE})
else()
  message(WARNING "chmcmd (fp-utils) not found: the program is built without its help file")
  add_custom_target(talvero_help)
endif()
