talvero_add_bench(link_bench ${CMAKE_CURRENT_LIST_DIR}/link_bench.cpp)
target_link_libraries(link_bench PRIVATE talvero_test_support radiosim_core)
# The radio runs as a process of its own, so that the CPU time measured is the program's alone.
add_dependencies(link_bench talvero-radiosim)
target_compile_definitions(link_bench PRIVATE TALVERO_BIN_DIR="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
