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
