# Fleet provisioning without windows: the fleet file and its check, one radio start to finish, the
# workers on several ports and the report.
target_sources(talvero_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/fleet_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fleet_report.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fleet_radio.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fleet_run.cpp
)
