#include "gui/shell/left_view.h"

#include <QHeaderView>
#include <QStyle>

CLeftView::CLeftView(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setItemsExpandable(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    setIconSize(QSize(16, 16));
    header()->setStretchLastSection(true);

    QStyle* s = style();
    m_images = {s->standardIcon(QStyle::SP_ComputerIcon), s->standardIcon(QStyle::SP_DirIcon),
                s->standardIcon(QStyle::SP_DirOpenIcon), s->standardIcon(QStyle::SP_FileIcon)};
    while (m_images.size() < 9) {
        m_images.push_back(QIcon());
    }

    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem* previous) {
                std::optional<uint32_t> oldNode;
                std::optional<uint32_t> newNode;
                if (previous) {
                    oldNode = NodeId(previous);
                }
                if (current) {
                    newNode = NodeId(current);
                }
                emit SelectionChanged(oldNode, newNode);
            });
}

uint32_t CLeftView::NodeId(const QTreeWidgetItem* item) {
    return item->data(0, Qt::UserRole).toUInt();
}

void CLeftView::SetNodeId(QTreeWidgetItem* item, uint32_t nodeId) {
    item->setData(0, Qt::UserRole, nodeId);
}

QIcon CLeftView::Image(int index) const {
    return index >= 0 && index < m_images.size() ? m_images[index] : QIcon();
}
