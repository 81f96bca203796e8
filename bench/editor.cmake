# Settings pages after a load of the largest configuration: refreshing an ID-list-shaped table of
# 500 entries and a declared settings page, each with the paint that shows it (headless).
if(TALVERO_GUI AND TARGET talvero_gui)
  find_package(Qt6 REQUIRED COMPONENTS Widgets)
  talvero_add_bench(editor_bench ${CMAKE_CURRENT_LIST_DIR}/editor_bench.cpp)
  target_link_libraries(editor_bench PRIVATE talvero_gui talvero_test_support)
endif()
