# Writes the help page "Command line" from the programs' own --help, as their manual pages are, so
# the page cannot drift from what the programs print:
#   cmake -DTEMPLATE=command_line.htm.in -DOUTPUT=command_line.htm
#         -DPROGRAMS="talvero=/path/to/twin,talvero-cli=/path,..." -DCOMMANDS_OF=talvero-cli -P ...
# For the program named in COMMANDS_OF, the commands of the "commands:" list of its --help get a
# section each with their own --help. The page is moved into place only when complete.
cmake_minimum_required(VERSION 3.25)
set(ENV{TALVERO_LANG} 0x0409)

function(run_help out program)
  execute_process(COMMAND ${program} ${ARGN} --help RESULT_VARIABLE rc OUTPUT_VARIABLE text
                  ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${program} ${ARGN} --help failed (${rc}): ${err}")
  endif()
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  string(STRIP "${text}" text)
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

set(sections "")
string(REPLACE "," ";" _programs "${PROGRAMS}")
foreach(entry ${_programs})
  string(REGEX REPLACE "=.*$" "" name "${entry}")
  string(REGEX REPLACE "^[^=]*=" "" path "${entry}")
  run_help(usage ${path})
  string(APPEND sections "<h3>${name}</h3>\n<pre>${usage}</pre>\n")
  if(name STREQUAL COMMANDS_OF)
    string(REGEX MATCH "\ncommands:\n(  [^\n]*\n)+" list "${usage}\n")
    string(REGEX MATCHALL "\n  [a-z][a-z0-9-]*" commands "${list}")
    if(NOT commands)
      message(FATAL_ERROR "no commands found in the --help of ${name}")
    endif()
    foreach(command ${commands})
      string(STRIP "${command}" command)
      run_help(help ${path} ${command})
      string(APPEND sections "<h4>${name} ${command}</h4>\n<pre>${help}</pre>\n")
    endforeach()
  endif()
endforeach()

file(READ ${TEMPLATE} page)
string(REPLACE "@PROGRAM_SECTIONS@" "${sections}" page "${page}")
file(WRITE ${OUTPUT}.tmp "${page}")
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
