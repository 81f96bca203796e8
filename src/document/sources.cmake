target_sources(talvero_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ini_data.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stored_secret.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_width.cpp
  ${CMAKE_CURRENT_LIST_DIR}/jis_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/value_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_catalogue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/talvero_doc.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_render.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_load.cpp
  ${CMAKE_CURRENT_LIST_DIR}/config_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/read_backup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/recovery_store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/refusal_reason.cpp
  ${CMAKE_CURRENT_LIST_DIR}/secret_keys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_compare.cpp
)
