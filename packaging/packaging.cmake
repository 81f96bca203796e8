# Installation and the Debian package. `cmake --install` puts the three programs in bin/ and the
# language and help files in share/talvero/, where the programs look when the files are not
# beside them; desktop entry, icons, metainfo, manual pages and bash completion go where the
# desktop, man and bash look. `cpack -G DEB` in the build folder makes talvero_<version>_<arch>.deb,
# whose dependencies dpkg-shlibdeps takes from the shared libraries the programs use.
set(TALVERO_HOMEPAGE "https://talvero.example.org" CACHE STRING "Home page named in the package and metainfo")
set(TALVERO_RELEASE_DATE "2026-12-10" CACHE STRING "Release date of this version (metainfo)")
set(TALVERO_MAINTAINER "Talvero maintainers <talvero@norvane.example>" CACHE STRING "Package maintainer")
set(TALVERO_DEB_RELEASE 1)
set(TALVERO_APP_ID com.norvane.talvero)
set(_pkg ${CMAKE_CURRENT_LIST_DIR})
set(_out ${CMAKE_BINARY_DIR}/packaging)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Programs and their data files.
foreach(_program talvero talvero-cli talvero-radiosim)
  if(TARGET ${_program})
    install(TARGETS ${_program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()
install(FILES ${TALVERO_LANG_FILES} DESTINATION ${TALVERO_DATA_INSTALL_DIR})
if(TARGET talvero_help AND CHMCMD_EXECUTABLE)
  install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/talvero.chm DESTINATION ${TALVERO_DATA_INSTALL_DIR})
endif()

# Desktop integration.
if(TARGET talvero)
  configure_file(${_pkg}/${TALVERO_APP_ID}.metainfo.xml.in ${_out}/${TALVERO_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${_pkg}/${TALVERO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${_out}/${TALVERO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${_pkg}/icons/talvero.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  find_program(RSVG_CONVERT_EXECUTABLE rsvg-convert)
  if(RSVG_CONVERT_EXECUTABLE)
    set(_icons)
    foreach(_size 16 22 24 32 48 64 128 256)
      set(_png ${_out}/icons/${_size}x${_size}/talvero.png)
      add_custom_command(OUTPUT ${_png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${_out}/icons/${_size}x${_size}
        COMMAND ${RSVG_CONVERT_EXECUTABLE} -w ${_size} -h ${_size} -o ${_png}.tmp ${_pkg}/icons/talvero.svg
        COMMAND ${CMAKE_COMMAND} -E rename ${_png}.tmp ${_png}
        DEPENDS ${_pkg}/icons/talvero.svg
        COMMENT "Icon ${_size}x${_size}")
      list(APPEND _icons ${_png})
      install(FILES ${_png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps)
    endforeach()
    add_custom_target(talvero_icons ALL DEPENDS ${_icons})
  else()
    message(WARNING "rsvg-convert (librsvg2-bin) not found: only the scalable icon is installed")
  endif()
endif()

# Manual pages, made from each program's --help by help2man.
find_program(HELP2MAN_EXECUTABLE help2man)
if(HELP2MAN_EXECUTABLE)
  set(_pages)
  set(_page_names talvero "configure push-to-talk IP radios"
                  talvero-cli "configure push-to-talk IP radios from a shell"
                  talvero-radiosim "simulated push-to-talk IP radio on a pseudo-terminal")
  while(_page_names)
    list(POP_FRONT _page_names _program _name)
    if(NOT TARGET ${_program})
      continue()
    endif()
    set(_page ${_out}/man/${_program}.1.gz)
    set(_commands OFF)
    set(_depends ${_program})
    if(_program STREQUAL "talvero-cli")
      set(_commands ON)  # one section per command, from the tool's own command list
      file(GLOB _cli_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tools/cli/*.cpp)
      list(APPEND _depends ${_cli_sources})
    endif()
    add_custom_command(OUTPUT ${_page}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${_out}/man
      COMMAND ${CMAKE_COMMAND} -DHELP2MAN=${HELP2MAN_EXECUTABLE} -DPROGRAM=$<TARGET_FILE:${_program}>
              "-DNAME=${_name}" -DVERSION=${PROJECT_VERSION} -DINCLUDE=${_pkg}/man/${_program}.h2m
              -DCOMMANDS=${_commands} -DOUTPUT=${_page} -P ${_pkg}/man/help2man.cmake
      DEPENDS ${_depends} ${_pkg}/man/${_program}.h2m ${_pkg}/man/help2man.cmake
      COMMENT "Manual page ${_program}(1)")
    list(APPEND _pages ${_page})
    install(FILES ${_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endwhile()
  add_custom_target(talvero_man ALL DEPENDS ${_pages})
else()
  message(WARNING "help2man not found: the manual pages are not built")
endif()

if(TARGET talvero-cli)
  install(FILES ${_pkg}/completion/talvero-cli DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
endif()

# Debian package metadata: the changelog must name the version being packaged.
file(STRINGS ${_pkg}/debian/changelog _changelog_head LIMIT_COUNT 1)
if(NOT _changelog_head MATCHES "^talvero \\(${PROJECT_VERSION}-${TALVERO_DEB_RELEASE}\\)")
  message(FATAL_ERROR "packaging/debian/changelog does not start with version "
                      "${PROJECT_VERSION}-${TALVERO_DEB_RELEASE}: add an entry for it")
endif()
add_custom_command(OUTPUT ${_out}/changelog.Debian.gz
  COMMAND gzip -9n -c ${_pkg}/debian/changelog > ${_out}/changelog.Debian.gz
  DEPENDS ${_pkg}/debian/changelog)
add_custom_target(talvero_changelog ALL DEPENDS ${_out}/changelog.Debian.gz)
install(FILES ${_pkg}/debian/copyright ${_out}/changelog.Debian.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/talvero)
install(FILES ${_pkg}/debian/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME talvero)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME talvero)
set(CPACK_PACKAGE_VENDOR "Norvane")
set(CPACK_PACKAGE_CONTACT "${TALVERO_MAINTAINER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${TALVERO_DEB_RELEASE})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Japanese texts need a Japanese font; Qt's own translations give message boxes and file dialogs
# their buttons in the system language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SECTION comm)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TALVERO_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration program for push-to-talk IP radios")
set(CPACK_PACKAGE_DESCRIPTION "Talvero reads the whole configuration of a push-to-talk IP radio over its
USB serial cable, edits it in a tree of settings pages and writes it back.
It saves and opens configuration files, shows the radio's information,
initialises the radio, updates its firmware, exchanges its ID list as CSV
and imports WLAN client certificates.
.
The package also holds talvero-cli, the same work from a shell, and
talvero-radiosim, a simulated radio on a pseudo-terminal.")
include(CPack)
