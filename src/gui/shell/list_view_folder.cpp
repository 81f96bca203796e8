#include "gui/shell/list_view_folder.h"

#include <QPainter>

CListViewFolder::CListViewFolder(QWidget* parent, const PageContext&) : QWidget(parent) {}

void CListViewFolder::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
}
