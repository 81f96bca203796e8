// The navigation tree of the main frame: building it from the node table, the page swap, and
// the two shapes of the WLAN-only mode.
#include <QStackedWidget>
#include <QTreeWidgetItem>
#include <exception>

#include "gui/shell/help_window.h"
#include "gui/shell/language_ui.h"
#include "gui/shell/left_view.h"
#include "gui/shell/list_view_folder.h"
#include "gui/shell/main_frame.h"
#include "pages/node_table.h"
#include "platform/programming_error.h"

namespace {

const PageFactory kFolderPage = [](QWidget* parent, const PageContext& context) -> ISettingsPage* {
    return new CListViewFolder(parent, context);
};

}  // namespace

QTreeWidgetItem* CMainFrame::AddNode(const PageFactory* viewClass, uint32_t nodeId, int setIndex,
                                     std::optional<uint32_t> textId, int image, QTreeWidgetItem* parent,
                                     InsertAt insertAfter) {
    if (viewClass) {
        ISettingsPage* page = nullptr;
        try {
            page = (*viewClass)(m_pageArea, m_pageContext);
        } catch (const std::exception& e) {
            // A page that cannot be built is a fault of the program, never left out quietly.
            ProgrammingError("the page of node " + std::to_string(nodeId) + " cannot be built: " + e.what());
        }
        if (!page) {
            ProgrammingError("the page of node " + std::to_string(nodeId) + " cannot be built");
        }
        QWidget* view = page->PageWidget();
        m_pageArea->addWidget(view);
        page->SetSetIndex(setIndex);
        page->SetupHeader();
        m_pageViews[nodeId] = view;
        m_pages[nodeId] = page;
    }
    if (!textId || !m_pLeftView) {
        return nullptr;
    }
    auto* item = new QTreeWidgetItem;
    item->setText(0, LanguageText(*textId));
    item->setIcon(0, m_pLeftView->Image(image));
    CLeftView::SetNodeId(item, nodeId);
    auto insert = [&](int index) {
        if (parent) {
            parent->insertChild(index, item);
        } else {
            m_pLeftView->insertTopLevelItem(index, item);
        }
    };
    const int count = parent ? parent->childCount() : m_pLeftView->topLevelItemCount();
    switch (insertAfter.where) {
        case InsertAt::Where::Last:
            insert(count);
            break;
        case InsertAt::Where::First:
            insert(0);
            break;
        case InsertAt::Where::After: {
            int at = parent ? parent->indexOfChild(insertAfter.item)
                            : m_pLeftView->indexOfTopLevelItem(insertAfter.item);
            insert(at < 0 ? count : at + 1);
            break;
        }
    }
    if (nodeId == kNodeFolder) {
        m_folderItems.push_back(item);
    }
    m_treeItems[nodeId] = item;
    return item;
}

void CMainFrame::BuildTree() {
    QTreeWidgetItem* folder = nullptr;
    for (const NodeRow& row : NodeTable()) {
        switch (row.kind) {
            case NodeKind::SharedFolderPage:
                AddNode(&kFolderPage, row.nodeId, row.setIndex, std::nullopt, row.image, nullptr,
                        InsertAt::Last());
                break;
            case NodeKind::Root:
                m_rootItem = AddNode(nullptr, row.nodeId, row.setIndex, row.captionId, row.image, nullptr,
                                     InsertAt::Last());
                break;
            case NodeKind::InfoPage:
            case NodeKind::Page:
                // A page class that does not exist yet has no factory, hence no node.
                if (const PageFactory* factory = FindPageFactory(row.nodeId)) {
                    AddNode(factory, row.nodeId, row.setIndex, row.captionId, row.image,
                            row.kind == NodeKind::InfoPage ? m_rootItem : folder, InsertAt::Last());
                }
                break;
            case NodeKind::Folder:
                folder = AddNode(nullptr, row.nodeId, row.setIndex, row.captionId, row.image, m_rootItem,
                                 InsertAt::Last());
                break;
            case NodeKind::WlanFolder:
                folder = AddNode(&kFolderPage, row.nodeId, row.setIndex, row.captionId, row.image, m_rootItem,
                                 InsertAt::Last());
                break;
        }
    }
    if (m_rootItem) {
        m_rootItem->setExpanded(true);
    }
}

void CMainFrame::OnTreeSelChanged(std::optional<uint32_t> oldNode, std::optional<uint32_t> newNode) {
    if (!m_pageArea || !newNode) {
        return;
    }
    (void)oldNode;  // the page area shows one view at a time: showing the new one hides the old
    auto view = m_pageViews.find(*newNode);
    if (view == m_pageViews.end()) {
        m_pageArea->setCurrentWidget(m_noPage);
        return;
    }
    m_pageArea->setCurrentWidget(view->second);
    auto page = m_pages.find(*newNode);
    if (page != m_pages.end()) {
        page->second->RefreshFromDocument();
        NavigateHelp(page->second->CurrentHelpAddress());
    } else {
        NavigateHelp(QString());
    }
}

void CMainFrame::SelectRoot() {
    if (m_pLeftView && m_rootItem) {
        m_pLeftView->setCurrentItem(m_rootItem);
    }
}

void CMainFrame::ForgetTreeItems(QTreeWidgetItem* item) {
    for (int i = 0; i < item->childCount(); ++i) {
        ForgetTreeItems(item->child(i));
    }
    for (auto it = m_treeItems.begin(); it != m_treeItems.end();) {
        it = it->second == item ? m_treeItems.erase(it) : std::next(it);
    }
}

void CMainFrame::EnterWlanOnlyShape() {
    // Kept by node ID, folders (which share one node ID) by their place in the folder list: the
    // items themselves are deleted and made anew, in the same order, on the way back.
    m_expandedBeforeWlanOnly.clear();
    m_expandedFoldersBeforeWlanOnly.clear();
    m_selectedBeforeWlanOnly.reset();
    m_selectedFolderBeforeWlanOnly.reset();
    QTreeWidgetItem* selected = m_pLeftView ? m_pLeftView->currentItem() : nullptr;
    for (const auto& [node, item] : m_treeItems) {
        if (node == kNodeFolder) {
            continue;
        }
        if (item->isExpanded()) {
            m_expandedBeforeWlanOnly.push_back(node);
        }
        if (item == selected) {
            m_selectedBeforeWlanOnly = node;
        }
    }
    for (size_t i = 0; i < m_folderItems.size(); ++i) {
        if (m_folderItems[i]->isExpanded()) {
            m_expandedFoldersBeforeWlanOnly.push_back(i);
        }
        if (m_folderItems[i] == selected) {
            m_selectedFolderBeforeWlanOnly = i;
        }
    }
    SelectRoot();
    // The deleted items are forgotten everywhere, so no handle outlives its item.
    for (QTreeWidgetItem* folder : m_folderItems) {
        ForgetTreeItems(folder);
        delete folder;
    }
    m_folderItems.clear();
}

void CMainFrame::LeaveWlanOnlyShape() {
    SelectRoot();
    m_folderItems.clear();
    auto info = m_treeItems.find(kNodeInfo);
    InsertAt after = info != m_treeItems.end() ? InsertAt::After(info->second) : InsertAt::First();
    QTreeWidgetItem* folder = nullptr;
    bool inFolders = false;
    for (const NodeRow& row : NodeTable()) {
        if (row.kind == NodeKind::WlanFolder) {
            break;
        }
        if (row.kind == NodeKind::Folder) {
            inFolders = true;
            folder = AddNode(nullptr, row.nodeId, row.setIndex, row.captionId, row.image, m_rootItem, after);
            after = InsertAt::After(folder);
        } else if (inFolders && row.kind == NodeKind::Page && m_pageViews.count(row.nodeId)) {
            // Only pages that exist come back, so the tree is again exactly as at start-up.
            AddNode(nullptr, row.nodeId, row.setIndex, row.captionId, row.image, folder, InsertAt::Last());
        }
    }
    // The tree as the user left it before the WLAN-only shape.
    for (uint32_t node : m_expandedBeforeWlanOnly) {
        if (auto item = m_treeItems.find(node); item != m_treeItems.end()) {
            item->second->setExpanded(true);
        }
    }
    for (size_t index : m_expandedFoldersBeforeWlanOnly) {
        if (index < m_folderItems.size()) {
            m_folderItems[index]->setExpanded(true);
        }
    }
    QTreeWidgetItem* selected = nullptr;
    if (m_selectedBeforeWlanOnly) {
        if (auto item = m_treeItems.find(*m_selectedBeforeWlanOnly); item != m_treeItems.end()) {
            selected = item->second;
        }
    } else if (m_selectedFolderBeforeWlanOnly && *m_selectedFolderBeforeWlanOnly < m_folderItems.size()) {
        selected = m_folderItems[*m_selectedFolderBeforeWlanOnly];
    }
    if (selected && m_pLeftView) {
        m_pLeftView->setCurrentItem(selected);
    }
    m_expandedBeforeWlanOnly.clear();
    m_expandedFoldersBeforeWlanOnly.clear();
    m_selectedBeforeWlanOnly.reset();
    m_selectedFolderBeforeWlanOnly.reset();
}

void CMainFrame::OnOptionWlanOnly() {
    if (!m_document) {
        return;
    }
    if (m_document->m_wlanOnly == 0) {
        EnterWlanOnlyShape();
    } else {
        LeaveWlanOnlyShape();
    }
    m_document->m_wlanOnly = m_document->m_wlanOnly == 0 ? 1 : 0;
}
