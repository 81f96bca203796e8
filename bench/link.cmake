talvero_add_bench(link_bench ${CMAKE_CURRENT_LIST_DIR}/link_bench.cpp)
target_link_libraries(link_bench PRIVATE talvero_test_support radiosim_core)
