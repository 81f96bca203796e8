#include "gui/dialogs/dlg_differences.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <map>

#include "document/secret_keys.h"
#include "pages/page_value_text.h"
#include "text/language_texts.h"

namespace {

constexpr uint32_t kTextCaption = 10610;
constexpr uint32_t kTextSetting = 10611;
constexpr uint32_t kTextKey = 10612;
constexpr uint32_t kTextNoPage = 10615;
constexpr uint32_t kTextClose = 10617;
constexpr int kNodeRole = Qt::UserRole;
constexpr int kKeyRole = Qt::UserRole + 1;

QString Text(uint32_t id) {
    return QString::fromStdU16String(GetLanguageText(id));
}

}  // namespace

QString ShownSettingValue(const CTalveroDoc& doc, const std::u16string& key, const std::u16string& value) {
    return QString::fromStdU16String(ComparedValue(doc, key, value));
}

CDlgDifferences::CDlgDifferences(const std::vector<SettingDifference>& differences, const CTalveroDoc& first,
                                 const CTalveroDoc& second, const QString& firstTitle,
                                 const QString& secondTitle, ShowSetting showSetting, QWidget* parent)
    : QDialog(parent), m_tree(new QTreeWidget(this)), m_showSetting(std::move(showSetting)) {
    setObjectName("differencesWindow");
    setWindowTitle(Text(kTextCaption));
    m_tree->setColumnCount(4);
    m_tree->setHeaderLabels({Text(kTextSetting), Text(kTextKey), firstTitle, secondTitle});
    m_tree->setRootIsDecorated(true);
    m_tree->setUniformRowHeights(true);
    // Pages in the order of the tree (node IDs), settings no page shows last.
    std::map<uint32_t, QTreeWidgetItem*> pages;
    for (const SettingDifference& d : differences) {
        const auto place = ShownPlaceOf(d.key);
        const uint32_t node = place ? place->nodeId : UINT32_MAX;
        QTreeWidgetItem*& page = pages[node];
        if (!page) {
            page = new QTreeWidgetItem({place ? QString::fromStdU16String(place->page) : Text(kTextNoPage)});
            page->setFirstColumnSpanned(false);
        }
        auto* row = new QTreeWidgetItem(
            page,
            {place ? QString::fromStdU16String(place->label) : QString(), QString::fromStdU16String(d.key),
             ShownSettingValue(first, d.key, d.first), ShownSettingValue(second, d.key, d.second)});
        row->setData(0, kNodeRole, place ? place->nodeId : 0u);
        row->setData(0, kKeyRole, QString::fromStdU16String(d.key));
    }
    for (const auto& [node, page] : pages) {
        m_tree->addTopLevelItem(page);
    }
    m_tree->expandAll();
    for (int c = 0; c < 4; ++c) {
        m_tree->resizeColumnToContents(c);
    }
    connect(m_tree, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { OnItemActivated(item); });
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(Text(kTextClose), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tree);
    layout->addWidget(buttons);
    resize(760, 420);
}

void CDlgDifferences::OnItemActivated(QTreeWidgetItem* item) {
    const uint32_t node = item ? item->data(0, kNodeRole).toUInt() : 0;
    if (node != 0 && m_showSetting) {
        m_showSetting(node, item->data(0, kKeyRole).toString().toStdU16String());
    }
}
