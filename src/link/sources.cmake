target_sources(talvero_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/clone_frames.cpp
  ${CMAKE_CURRENT_LIST_DIR}/serial_port.cpp
  ${CMAKE_CURRENT_LIST_DIR}/serial_speed.cpp
  ${CMAKE_CURRENT_LIST_DIR}/clone_serial_port.cpp
  ${CMAKE_CURRENT_LIST_DIR}/clone_read_write.cpp
  ${CMAKE_CURRENT_LIST_DIR}/radio_information.cpp
  ${CMAKE_CURRENT_LIST_DIR}/firmware_update.cpp
  ${CMAKE_CURRENT_LIST_DIR}/port_enum.cpp
  ${CMAKE_CURRENT_LIST_DIR}/clone_job.cpp
)
