talvero_add_bench(fleet_bench ${CMAKE_CURRENT_LIST_DIR}/fleet_bench.cpp)
target_link_libraries(fleet_bench PRIVATE radiosim_core)
target_include_directories(fleet_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
