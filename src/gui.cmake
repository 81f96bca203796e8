# The Qt program. Core code stays in talvero_core; everything that needs Qt is in talvero_gui,
# which the program and the GUI tests link.
find_package(Qt6 REQUIRED COMPONENTS Widgets Test)

add_library(talvero_gui STATIC)
set_target_properties(talvero_gui PROPERTIES AUTOMOC ON AUTORCC ON)
target_include_directories(talvero_gui PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(talvero_gui PUBLIC talvero_core Qt6::Widgets)

foreach(_list shell/gui_sources.cmake editor/sources.cmake link/dialogs/sources.cmake
              idlist/dialogs/sources.cmake certs/dialogs/sources.cmake)
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${_list})
    include(${_list})
  endif()
endforeach()

# chmlib reads the help file for the help pane (no pkg-config file on Debian).
find_path(CHMLIB_INCLUDE_DIR chm_lib.h REQUIRED)
find_library(CHMLIB_LIBRARY chm REQUIRED)
target_include_directories(talvero_gui PRIVATE ${CHMLIB_INCLUDE_DIR})
target_link_libraries(talvero_gui PUBLIC ${CHMLIB_LIBRARY})

# Settings pages register themselves from static initialisers (shell/page_registry.h); linking
# the library whole keeps them. Anything that shows the main frame links this.
add_library(talvero_gui_whole INTERFACE)
target_link_libraries(talvero_gui_whole INTERFACE "$<LINK_LIBRARY:WHOLE_ARCHIVE,talvero_gui>")

include(${PROJECT_SOURCE_DIR}/help/help.cmake)

add_executable(talvero shell/main.cpp)
target_link_libraries(talvero PRIVATE talvero_gui_whole)
add_dependencies(talvero talvero_lang talvero_help)
