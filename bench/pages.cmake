# Every registered settings page refreshed and painted after a load of the largest
# configuration (headless).
if(TALVERO_GUI AND TARGET talvero_gui)
  find_package(Qt6 REQUIRED COMPONENTS Widgets)
  talvero_add_bench(pages_bench ${CMAKE_CURRENT_LIST_DIR}/pages_bench.cpp)
  # Whole archive: every page registers itself from a static initialiser.
  target_link_libraries(pages_bench PRIVATE talvero_gui_whole talvero_test_support)
endif()
