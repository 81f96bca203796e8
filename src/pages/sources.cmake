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
  ${CMAKE_CURRENT_LIST_DIR}/page_rule_check.h
  ${CMAKE_CURRENT_LIST_DIR}/page_rule_check.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stored_value_report.h
  ${CMAKE_CURRENT_LIST_DIR}/stored_value_report.cpp
  ${CMAKE_CURRENT_LIST_DIR}/page_value_text.h
  ${CMAKE_CURRENT_LIST_DIR}/page_value_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/node_table.h
  ${CMAKE_CURRENT_LIST_DIR}/node_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/setting_places.h
  ${CMAKE_CURRENT_LIST_DIR}/setting_places.cpp
  ${CMAKE_CURRENT_LIST_DIR}/volume_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/talk_group_description.h
  ${CMAKE_CURRENT_LIST_DIR}/talk_group_description.cpp
  ${CMAKE_CURRENT_LIST_DIR}/entry_description.h
  ${CMAKE_CURRENT_LIST_DIR}/entry_description.cpp
  ${CMAKE_CURRENT_LIST_DIR}/radio_info_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tx_callee_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/emergency_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gps_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bluetooth_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/record_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/address_book_setting_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/address_book_list_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/message_setting_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/message_list_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/presence_setting_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/presence_list_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/remote_monitor_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sub_function_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/communication_setting_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/no_service_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/display_page.cpp
  # reception, transmission, tones, keys and security
  ${CMAKE_CURRENT_LIST_DIR}/tx_tac_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tx_op_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tx_start_tone_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tx_priority_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tx_mic_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rx_notify_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rx_notify_tone_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rx_end_tone_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rx_talk_back_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rx_msg_tone_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rx_setting_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/option_key_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tone_radio_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tone_key_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/security_pass_page.cpp

  # WLAN, certificates, setting-mode permissions
  ${CMAKE_CURRENT_LIST_DIR}/wlan_page.h
  ${CMAKE_CURRENT_LIST_DIR}/wlan_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cert_page.h
  ${CMAKE_CURRENT_LIST_DIR}/cert_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/set_mode_page.h
  ${CMAKE_CURRENT_LIST_DIR}/set_mode_page.cpp

)
