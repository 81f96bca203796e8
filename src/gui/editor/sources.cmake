# The editable grid, its header and in-place editors, and the settings page framework (Qt).
target_sources(talvero_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/grid_colors.h
  ${CMAKE_CURRENT_LIST_DIR}/grid_fonts.h
  ${CMAKE_CURRENT_LIST_DIR}/grid_fonts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/k_grid_list_ctrl_header.h
  ${CMAKE_CURRENT_LIST_DIR}/k_grid_list_ctrl_header.cpp
  ${CMAKE_CURRENT_LIST_DIR}/k_grid_list_view.h
  ${CMAKE_CURRENT_LIST_DIR}/k_grid_list_view.cpp
  ${CMAKE_CURRENT_LIST_DIR}/edit_limits.h
  ${CMAKE_CURRENT_LIST_DIR}/edit_limits.cpp
  ${CMAKE_CURRENT_LIST_DIR}/k_limited_edit.h
  ${CMAKE_CURRENT_LIST_DIR}/k_limited_edit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/k_grid_list_ctrl_edit.h
  ${CMAKE_CURRENT_LIST_DIR}/k_grid_list_ctrl_edit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/k_grid_list_ctrl_combo.h
  ${CMAKE_CURRENT_LIST_DIR}/k_grid_list_ctrl_combo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/k_edit.h
  ${CMAKE_CURRENT_LIST_DIR}/k_edit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/list_view_base.h
  ${CMAKE_CURRENT_LIST_DIR}/list_view_base.cpp
)
