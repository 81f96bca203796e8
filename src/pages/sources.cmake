# The settings pages as data (no windows): rows, choices, editor rules, and the one rule check
# every path applies.
target_sources(talvero_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/page_row.h
  ${CMAKE_CURRENT_LIST_DIR}/page_rows.h
  ${CMAKE_CURRENT_LIST_DIR}/page_declaration.h
  ${CMAKE_CURRENT_LIST_DIR}/page_declarations.cpp
  ${CMAKE_CURRENT_LIST_DIR}/page_list.h
  ${CMAKE_CURRENT_LIST_DIR}/text_row_rule.h
  ${CMAKE_CURRENT_LIST_DIR}/text_row_rule.cpp
  ${CMAKE_CURRENT_LIST_DIR}/page_choices.cpp
  ${CMAKE_CURRENT_LIST_DIR}/volume_page.cpp
  # reception, transmission, tones, keys and security

  # WLAN, certificates, setting-mode permissions
  ${CMAKE_CURRENT_LIST_DIR}/wlan_page.h
  ${CMAKE_CURRENT_LIST_DIR}/wlan_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cert_page.h
  ${CMAKE_CURRENT_LIST_DIR}/cert_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/set_mode_page.h
  ${CMAKE_CURRENT_LIST_DIR}/set_mode_page.cpp

)
