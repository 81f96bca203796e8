# Certificate import without windows: reading the file, PEM and PKCS #12 checks, the slot actions
# shared by the certificate page and talvero-cli, and the summary that lists a stored certificate.
target_sources(talvero_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/cert_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pem_import.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pfx_import.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cert_slot.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cert_summary.cpp
)
