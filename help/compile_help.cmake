# Runs chmcmd on a fresh copy of the help sources; the result replaces OUTPUT only when chmcmd
# succeeded, so a failed build never leaves a partial help file for the program to open. Pages the
# build makes (GENERATED folder) join those of the source folder.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(GLOB _inputs ${SOURCE}/*.htm ${SOURCE}/*.hhc ${SOURCE}/*.hhp ${SOURCE}/*.png ${SOURCE}/*.css)
file(COPY ${_inputs} DESTINATION ${WORK})
# Every page of the folder goes into the file: the project lists its options, the build its pages.
file(GLOB _pages RELATIVE ${SOURCE} ${SOURCE}/*.htm ${SOURCE}/*.png ${SOURCE}/*.css)
if(GENERATED)
  file(GLOB _generated ${GENERATED}/*.htm)
  file(COPY ${_generated} DESTINATION ${WORK})
  file(GLOB _generated_pages RELATIVE ${GENERATED} ${GENERATED}/*.htm)
  list(APPEND _pages ${_generated_pages})
endif()
list(SORT _pages)
list(JOIN _pages "\n" _page_list)
file(READ ${SOURCE}/talvero.hhp _project)
string(REGEX REPLACE "\\[FILES\\].*$" "" _project "${_project}")
file(WRITE ${WORK}/talvero.hhp "${_project}[FILES]\n${_page_list}\n")
execute_process(COMMAND ${CHMCMD} --no-html-scan talvero.hhp
                WORKING_DIRECTORY ${WORK} RESULT_VARIABLE _rc OUTPUT_VARIABLE _out ERROR_VARIABLE _out)
if(NOT _rc EQUAL 0 OR NOT EXISTS ${WORK}/talvero.chm)
  file(REMOVE ${WORK}/talvero.chm ${OUTPUT})
  message(FATAL_ERROR "chmcmd failed (exit code ${_rc}):\n${_out}")
endif()
file(RENAME ${WORK}/talvero.chm ${OUTPUT})
