# The Qt side of the shell: frame, tree, title page, help pane and window, about box, prompts.
target_sources(talvero_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/user_prompts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/command_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/language_ui.cpp
  ${CMAKE_CURRENT_LIST_DIR}/k_multiple_languages.h
  ${CMAKE_CURRENT_LIST_DIR}/k_multiple_languages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/page_registry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/node_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/left_view.h
  ${CMAKE_CURRENT_LIST_DIR}/left_view.cpp
  ${CMAKE_CURRENT_LIST_DIR}/list_view_folder.h
  ${CMAKE_CURRENT_LIST_DIR}/list_view_folder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/title_view.h
  ${CMAKE_CURRENT_LIST_DIR}/title_view.cpp
  ${CMAKE_CURRENT_LIST_DIR}/chm_archive.cpp
  ${CMAKE_CURRENT_LIST_DIR}/help_view.h
  ${CMAKE_CURRENT_LIST_DIR}/help_view.cpp
  ${CMAKE_CURRENT_LIST_DIR}/help_window.h
  ${CMAKE_CURRENT_LIST_DIR}/help_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dlg_about.h
  ${CMAKE_CURRENT_LIST_DIR}/dlg_about.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_frame.h
  ${CMAKE_CURRENT_LIST_DIR}/main_frame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_frame_tree.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_frame_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/talvero_app.cpp
)
