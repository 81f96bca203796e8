#include "gui/pages/list_view_remote_monitor.h"

#include "pages/page_declaration.h"

CListViewRemoteMonitor::CListViewRemoteMonitor(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(1026));
}

TALVERO_REGISTER_PAGE(1026, CListViewRemoteMonitor);
