# The ID list exchange without windows: CSV reading, export and import.
target_sources(talvero_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/csv_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/id_list_export.cpp
  ${CMAKE_CURRENT_LIST_DIR}/id_list_import.cpp
)
