target_sources(talvero_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/language_texts.cpp
)
