# The language text table and the language files it is loaded from.
target_sources(talvero_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/language_texts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/language_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/data_file_report.cpp
)
