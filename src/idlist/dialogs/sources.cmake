target_sources(talvero_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/dlg_import_warning.h
  ${CMAKE_CURRENT_LIST_DIR}/dlg_import_warning.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_frame_id_list.cpp
)
