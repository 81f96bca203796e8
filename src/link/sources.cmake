# The radio link without windows: clone frames, the port that speaks them, the radio operations.
target_sources(talvero_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/clone_frames.cpp
  ${CMAKE_CURRENT_LIST_DIR}/clone_block_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/clone_serial_port.cpp
  ${CMAKE_CURRENT_LIST_DIR}/clone_read_write.cpp
  ${CMAKE_CURRENT_LIST_DIR}/radio_information.cpp
  ${CMAKE_CURRENT_LIST_DIR}/firmware_update.cpp
  ${CMAKE_CURRENT_LIST_DIR}/clone_job.cpp
  ${CMAKE_CURRENT_LIST_DIR}/clone_progress.cpp
  ${CMAKE_CURRENT_LIST_DIR}/radio_recipes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/trace_mask.cpp
  ${CMAKE_CURRENT_LIST_DIR}/clone_trace.cpp
  ${CMAKE_CURRENT_LIST_DIR}/trace_store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_archive.cpp
  ${CMAKE_CURRENT_LIST_DIR}/diagnostic_report.cpp
)
