# The Qt program. Core code stays in talvero_core; everything that needs Qt is in talvero_gui,
# which the program and the GUI tests link.
find_package(Qt6 REQUIRED COMPONENTS Widgets Test)

add_library(talvero_gui STATIC)
set_target_properties(talvero_gui PROPERTIES AUTOMOC ON AUTORCC ON)
target_link_libraries(talvero_gui PUBLIC talvero_core Qt6::Widgets)

# The Qt headers nearly every window includes, parsed once per build tree when TALVERO_PCH is on
# (scripts/test.sh turns it on; a cold build of the windows then spends its time on our own code).
set(TALVERO_QT_PCH_HEADERS
    <QAction> <QApplication> <QCheckBox> <QDialog> <QDialogButtonBox> <QFile> <QFileInfo> <QFont>
    <QFontMetrics> <QHBoxLayout> <QHeaderView> <QKeyEvent> <QLabel> <QLineEdit> <QMenu> <QMimeData>
    <QMouseEvent> <QPainter> <QPointer> <QPushButton> <QSettings> <QString> <QStringList> <QStyle>
    <QTimer> <QTreeWidget> <QUrl> <QVBoxLayout> <QWidget> <functional> <map> <memory> <string> <vector>)
if(TALVERO_PCH)
  target_precompile_headers(talvero_gui PRIVATE ${TALVERO_QT_PCH_HEADERS})
endif()

foreach(_part shell editor pages dialogs)
  include(${CMAKE_CURRENT_LIST_DIR}/${_part}/sources.cmake)
endforeach()

# chmlib reads the help file for the help pane (no pkg-config file on Debian).
find_path(CHMLIB_INCLUDE_DIR chm_lib.h REQUIRED)
find_library(CHMLIB_LIBRARY chm REQUIRED)
target_include_directories(talvero_gui PRIVATE ${CHMLIB_INCLUDE_DIR})
target_link_libraries(talvero_gui PUBLIC ${CHMLIB_LIBRARY})

# Settings pages register themselves from static initialisers (gui/shell/page_registry.h); linking
# the library whole keeps them. Anything that shows the main frame links this.
add_library(talvero_gui_whole INTERFACE)
target_link_libraries(talvero_gui_whole INTERFACE "$<LINK_LIBRARY:WHOLE_ARCHIVE,talvero_gui>")

include(${PROJECT_SOURCE_DIR}/help/help.cmake)

add_executable(talvero ${CMAKE_CURRENT_LIST_DIR}/shell/main.cpp)
target_link_libraries(talvero PRIVATE talvero_gui_whole)
add_dependencies(talvero talvero_lang talvero_help)
