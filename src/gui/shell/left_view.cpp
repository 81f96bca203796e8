#include "gui/shell/left_view.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QScrollBar>
#include <QStyle>
#include <QToolTip>
#include <algorithm>
#include <functional>

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

int CLeftView::NeededWidth(const QModelIndex& index) const {
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    return itemDelegate()->sizeHint(option, index).width();
}

int CLeftView::CaptionsWidth() const {
    int widest = 0;
    std::function<void(QTreeWidgetItem*, int)> walk = [&](QTreeWidgetItem* item, int depth) {
        const int indent = indentation() * (depth + (rootIsDecorated() ? 1 : 0));
        widest = std::max(widest, indent + NeededWidth(indexFromItem(item)));
        for (int i = 0; i < item->childCount(); ++i) {
            walk(item->child(i), depth + 1);
        }
    };
    for (int i = 0; i < topLevelItemCount(); ++i) {
        walk(topLevelItem(i), 0);
    }
    // Opened folders may outgrow the height: room for the scroll bar, so it never covers a caption.
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, verticalScrollBar());
    return widest + 2 * frameWidth() + scrollBar;
}

bool CLeftView::IsCaptionCut(const QModelIndex& index) const {
    const QRect shown = visualRect(index).intersected(viewport()->rect());
    return index.isValid() && NeededWidth(index) > shown.width();
}

bool CLeftView::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip) {
        return QTreeWidget::viewportEvent(event);
    }
    auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = indexAt(help->pos());
    if (index.isValid() && IsCaptionCut(index)) {
        QToolTip::showText(help->globalPos(), index.data(Qt::DisplayRole).toString(), viewport(),
                           visualRect(index));
    } else {
        QToolTip::hideText();
        event->ignore();
    }
    return true;
}
