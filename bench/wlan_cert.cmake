# The WLAN and certificate pages refreshed and painted after a load of the largest configuration
# (headless).
if(TALVERO_GUI AND TARGET talvero_gui)
  find_package(Qt6 REQUIRED COMPONENTS Widgets)
  talvero_add_bench(wlan_cert_bench ${CMAKE_CURRENT_LIST_DIR}/wlan_cert_bench.cpp)
  target_link_libraries(wlan_cert_bench PRIVATE talvero_gui talvero_test_support)
endif()
