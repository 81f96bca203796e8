target_sources(talvero_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/dlg_import_warning.h
  ${CMAKE_CURRENT_LIST_DIR}/dlg_import_warning.cpp
)
