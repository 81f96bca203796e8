# Writes one gzipped manual page from a program's own --help, so the page cannot drift from it:
#   cmake -DHELP2MAN=... -DPROGRAM=... -DNAME=... -DVERSION=... -DINCLUDE=... -DOUTPUT=x.1.gz
#         [-DCOMMANDS=ON] -P help2man.cmake
# With COMMANDS=ON the program is a tool with commands ("PROGRAM COMMAND --help"): the commands are
# read from the "commands:" list of its --help and each one's --help becomes a section of the
# page, so a command added to the tool appears in its page by itself. The exit statuses the
# commands repeat are left to the page's own EXIT STATUS section.
# The page is written to a temporary file and moved into place only when complete.
cmake_minimum_required(VERSION 3.25)

function(run_help out)
  execute_process(COMMAND ${PROGRAM} ${ARGN} --help RESULT_VARIABLE rc OUTPUT_VARIABLE text
                  ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} ${ARGN} --help failed (${rc}): ${err}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Text for a help2man include file, shown as typed: roff escapes, and no line may start a section
# of the include file ("[" or "/") or be read as a roff request ("." or "'").
function(roff_verbatim out text)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'[/])" "\\1\\\\&\\2" text "${text}")
  set(${out} ".nf\n${text}\n.fi\n" PARENT_SCOPE)
endfunction()

set(work ${OUTPUT}.work)
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work})
set(include_text "")
if(INCLUDE)
  file(READ ${INCLUDE} include_text)
endif()

if(COMMANDS)
  run_help(usage)
  string(REGEX MATCH "\ncommands:\n(  [^\n]*\n)+" list "${usage}")
  string(REGEX MATCHALL "\n  [a-z][a-z0-9-]*" names "${list}")
  if(NOT names)
    message(FATAL_ERROR "no commands found in the --help of ${PROGRAM}")
  endif()
  string(APPEND include_text "\n[COMMANDS]\n")
  foreach(name ${names})
    string(STRIP "${name}" name)
    run_help(help ${name})
    string(REGEX REPLACE "\nexit status:\n.*$" "" help "${help}")
    string(STRIP "${help}" help)
    roff_verbatim(body "${help}")
    string(APPEND include_text ".SS ${name}\n${body}")
  endforeach()
endif()
file(WRITE ${work}/include.h2m "${include_text}")

get_filename_component(page ${OUTPUT} NAME)
string(REGEX REPLACE "\\.gz$" "" page "${page}")
execute_process(COMMAND ${HELP2MAN} --no-info --section=1 --name=${NAME} --version-string=${VERSION}
                        --include=${work}/include.h2m --output=${work}/${page} ${PROGRAM}
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT EXISTS ${work}/${page})
  file(REMOVE_RECURSE ${work})
  message(FATAL_ERROR "help2man failed on ${PROGRAM} (${rc}): ${err}")
endif()
# help2man makes every "heading:" of --help a subsection; the exit statuses are a section of
# their own in a manual page.
file(READ ${work}/${page} roff)
string(REGEX REPLACE "\n\\.SS \"[Ee]xit status:\"\n" "\n.SH \"EXIT STATUS\"\n" roff "${roff}")
file(WRITE ${work}/${page} "${roff}")
# -n: no name or time stamp in the archive, so the same page gives the same bytes.
execute_process(COMMAND gzip -9n -c ${work}/${page} OUTPUT_FILE ${work}/${page}.gz RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  file(REMOVE_RECURSE ${work})
  message(FATAL_ERROR "gzip failed on ${page}")
endif()
file(RENAME ${work}/${page}.gz ${OUTPUT})
file(REMOVE_RECURSE ${work})
