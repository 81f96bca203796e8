# The ID list, message and status pages refreshed and painted after a load of the largest
# configuration (headless).
if(TALVERO_GUI AND TARGET talvero_gui)
  find_package(Qt6 REQUIRED COMPONENTS Widgets)
  talvero_add_bench(pages_bench ${CMAKE_CURRENT_LIST_DIR}/pages_bench.cpp
                    ${CMAKE_CURRENT_LIST_DIR}/function_pages_bench.cpp)
  target_link_libraries(pages_bench PRIVATE talvero_gui talvero_test_support)
endif()
