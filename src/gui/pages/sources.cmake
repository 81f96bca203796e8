# Settings pages, one file each; each registers itself under its navigation node, so a page is
# added to the program by adding its files here.
file(GLOB _talvero_pages CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.h ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
target_sources(talvero_gui PRIVATE ${_talvero_pages})
