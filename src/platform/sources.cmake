# Platform layers: code page, error codes, Unicode helpers, the program's paths, the version block
# and the system language; posix/ holds the serial port, its bit rates and the port enumeration.
set(TALVERO_PRODUCT "Talvero" CACHE STRING "Product name in the version block")
set(TALVERO_COMPANY "Norvane" CACHE STRING "Company name in the version block")
set(TALVERO_FILE_DESCRIPTION "Configuration program for IP radios" CACHE STRING
    "File description in the version block")
set(TALVERO_COPYRIGHT "Copyright (C) 2026 Norvane. All rights reserved." CACHE STRING
    "Legal notice in the version block")
set(TALVERO_VERSION_PATCH ${Talvero_VERSION_PATCH})
set(TALVERO_VERSION_TWEAK ${Talvero_VERSION_TWEAK})
if(NOT TALVERO_VERSION_PATCH)
  set(TALVERO_VERSION_PATCH 0)
endif()
if(NOT TALVERO_VERSION_TWEAK)
  set(TALVERO_VERSION_TWEAK 0)
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/version_block_data.cpp.in
               ${CMAKE_CURRENT_BINARY_DIR}/platform/version_block_data.cpp @ONLY)

target_sources(talvero_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/clock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/code_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/error_codes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unicode.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program_path.cpp
  ${CMAKE_CURRENT_LIST_DIR}/user_folders.cpp
  ${CMAKE_CURRENT_LIST_DIR}/private_files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/secret_wipe.cpp
  ${CMAKE_CURRENT_LIST_DIR}/read_whole_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shown_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/output_target.cpp
  ${CMAKE_CURRENT_LIST_DIR}/k_file_version.cpp
  ${CMAKE_CURRENT_LIST_DIR}/language_id.cpp
  ${CMAKE_CURRENT_LIST_DIR}/version_block.cpp
  ${CMAKE_CURRENT_BINARY_DIR}/platform/version_block_data.cpp
  ${CMAKE_CURRENT_LIST_DIR}/posix/serial_port.cpp
  ${CMAKE_CURRENT_LIST_DIR}/posix/serial_speed.cpp
  ${CMAKE_CURRENT_LIST_DIR}/posix/port_enum.cpp
  ${CMAKE_CURRENT_LIST_DIR}/posix/port_access.cpp
)

# Where the installed share folder lies, seen from the installed program's folder.
set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/program_path.cpp APPEND PROPERTY
             COMPILE_DEFINITIONS TALVERO_BIN_TO_DATA="${TALVERO_BIN_TO_DATA}")
