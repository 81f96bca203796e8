target_sources(talvero_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/code_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/error_codes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unicode.cpp
)
