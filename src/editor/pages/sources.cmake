# Settings pages, one file each; each registers itself under its navigation node.
target_sources(talvero_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/page_text.h
  ${CMAKE_CURRENT_LIST_DIR}/entry_description.h
  ${CMAKE_CURRENT_LIST_DIR}/entry_description.cpp
  ${CMAKE_CURRENT_LIST_DIR}/list_view_msg_list.h
  ${CMAKE_CURRENT_LIST_DIR}/list_view_msg_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/list_view_presence_setting.h
  ${CMAKE_CURRENT_LIST_DIR}/list_view_presence_setting.cpp
  ${CMAKE_CURRENT_LIST_DIR}/list_view_presence_list.h
  ${CMAKE_CURRENT_LIST_DIR}/list_view_presence_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/list_view_msg_setting.h
  ${CMAKE_CURRENT_LIST_DIR}/list_view_msg_setting.cpp
  ${CMAKE_CURRENT_LIST_DIR}/list_view_address_book_setting.h
  ${CMAKE_CURRENT_LIST_DIR}/list_view_address_book_setting.cpp
  ${CMAKE_CURRENT_LIST_DIR}/list_view_address_book_list.h
  ${CMAKE_CURRENT_LIST_DIR}/list_view_address_book_list.cpp
)
