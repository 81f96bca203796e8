# Start-up of the program: loading the English language file, and building the main frame with
# every page until its first paint (headless).
if(TALVERO_GUI AND TARGET talvero_gui)
  find_package(Qt6 REQUIRED COMPONENTS Widgets)
  talvero_add_bench(shell_bench ${CMAKE_CURRENT_LIST_DIR}/shell_bench.cpp)
  target_link_libraries(shell_bench PRIVATE talvero_gui_whole)
  target_compile_definitions(shell_bench PRIVATE TALVERO_BIN_DIR="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
  add_dependencies(shell_bench talvero_lang)
endif()
