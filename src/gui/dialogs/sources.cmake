# Dialogs: radio progress, radio password, radio information, port list, import warnings, certificate
# password, WLAN channel selection, the differences window, the diagnostic report. Headers
# are listed so that the meta-object compiler sees them.
target_sources(talvero_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/dlg_cloning.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dlg_cloning.h
  ${CMAKE_CURRENT_LIST_DIR}/dlg_clone_password.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dlg_clone_password.h
  ${CMAKE_CURRENT_LIST_DIR}/dlg_firm_ver.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dlg_firm_ver.h
  ${CMAKE_CURRENT_LIST_DIR}/dlg_com_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dlg_com_list.h
  ${CMAKE_CURRENT_LIST_DIR}/gui_clone_host.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gui_clone_host.h
  ${CMAKE_CURRENT_LIST_DIR}/dlg_import_warning.h
  ${CMAKE_CURRENT_LIST_DIR}/dlg_import_warning.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dlg_cert_password.h
  ${CMAKE_CURRENT_LIST_DIR}/dlg_cert_password.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dlg_ch_select.h
  ${CMAKE_CURRENT_LIST_DIR}/dlg_ch_select.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dlg_differences.h
  ${CMAKE_CURRENT_LIST_DIR}/dlg_differences.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dlg_diagnostic_report.h
  ${CMAKE_CURRENT_LIST_DIR}/dlg_diagnostic_report.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dlg_fleet.h
  ${CMAKE_CURRENT_LIST_DIR}/dlg_fleet.cpp
)
