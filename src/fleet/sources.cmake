# Fleet provisioning without windows: the fleet file and its check, one radio start to finish, the
# workers on several ports, the report, and the fleet ledger with its SQLite and PostgreSQL back ends.
find_package(PkgConfig REQUIRED)
pkg_check_modules(TALVERO_SQLITE3 REQUIRED IMPORTED_TARGET sqlite3)
pkg_check_modules(TALVERO_LIBPQ REQUIRED IMPORTED_TARGET libpq)
target_sources(talvero_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/fleet_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fleet_report.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fleet_radio.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fleet_run.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fleet_ledger.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ledger_sqlite.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ledger_postgres.cpp
)
target_link_libraries(talvero_core PUBLIC PkgConfig::TALVERO_SQLITE3 PkgConfig::TALVERO_LIBPQ)
