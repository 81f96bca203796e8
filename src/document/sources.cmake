target_sources(talvero_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ini_data.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stored_secret.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_width.cpp
)
