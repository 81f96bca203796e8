// The main window shows a setting on request (from the differences window): its page in the tree,
// and its row selected on the page.
#include "document/settings_catalogue.h"
#include "gui/editor/list_view_base.h"
#include "gui/shell/left_view.h"
#include "gui/shell/main_frame.h"

void CMainFrame::ShowSetting(uint32_t nodeId, const std::u16string& key) {
    const auto item = m_treeItems.find(nodeId);
    if (item == m_treeItems.end() || !m_pLeftView) {
        return;
    }
    m_pLeftView->setCurrentItem(item->second);
    const auto page = m_pageViews.find(nodeId);
    auto* view = page != m_pageViews.end() ? qobject_cast<CListViewBase*>(page->second) : nullptr;
    const std::optional<SettingId> id = FindSettingByKey(key);
    if (view && id) {
        view->SelectSetting(SettingsCatalogue()[id->def].name, id->index);
    }
    raise();
    activateWindow();
}
