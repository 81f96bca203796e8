#include "gui/pages/list_view_wlan.h"

#include "document/settings_catalogue.h"
#include "document/talvero_doc.h"
#include "gui/dialogs/dlg_ch_select.h"
#include "gui/pages/page_text.h"
#include "gui/shell/user_prompts.h"
#include "pages/page_declaration.h"

namespace {

constexpr uint32_t kTextValueRefused = 2175;
const QString kChannelTable = QStringLiteral("wlan_ch");
const QString kChoiceTable = QStringLiteral("combobox_temp");

QString Q(std::u16string_view text) {
    return QString::fromStdU16String(std::u16string(text));
}

// The number a text starts with ("-75" gives 75); 0 when there is none.
unsigned LeadingNumber(const QString& text) {
    unsigned value = 0;
    int i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'-' || text[i] == u'+')) {
        ++i;
    }
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 128 && value < 100000; ++i) {
        value = value * 10 + static_cast<unsigned>(text[i].unicode() - u'0');
    }
    return value;
}

bool IsCertIndexRow(int row) {
    return row >= CListViewWlan::Row(0, CListViewWlan::kAddressSection) &&
           (row - CListViewWlan::Row(0, CListViewWlan::kAddressSection)) % CListViewWlan::kProfileRows ==
               CListViewWlan::kEapCertIndex;
}

}  // namespace

CListViewWlan::CListViewWlan(QWidget* parent, const PageContext& context) : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(wlan_page::kNodeId));
    static_assert(kRows == wlan_page::Row(kProfiles, kAddressSection));
    // A profile's address and network sections carry its number.
    for (int row = 0; row < static_cast<int>(m_rows.size()); ++row) {
        const PageRow& decl = m_rows[row];
        if (wlan_page::IsNumberedSection(decl)) {
            AddSectionRow(row, 2, PageText(decl.labelId) + QString::number(decl.member + 1));
        }
    }
}

// ---- refresh -------------------------------------------------------------------------------

void CListViewWlan::OnDocumentUpdate(int hint) {
    if (hint == 0 || hint == kHintLoaded) {
        RefreshFromDocument();
    }
}

void CListViewWlan::RefreshFromDocument() {
    CListViewBase::RefreshFromDocument();
    ShowRoam();
}

void CListViewWlan::ShowRoam() {
    // Whatever number is stored shows as the level it stands for.
    ShowInputCell(kRoamRow, 1, true, QStringLiteral("-") + Q(Doc().Get(u"wlan_roam_rssi")));
}

// ---- editors -------------------------------------------------------------------------------

QWidget* CListViewWlan::CreateCellEditor(int row, int column, int left, int top, int right, int bottom,
                                         const QString& text) {
    if (column != 1 || !IsCellEditable(row, column)) {
        return nullptr;
    }
    switch (row) {
        case kChannelRow:
            // With no item selected, choosing the custom list again counts as a change.
            return CListViewBase::CreateCellEditor(row, column, left, top, right, bottom,
                                                   Doc().Get(u"wlan_ch") == u"custom" ? QString() : text);
        case kCustomRow:
            if (Doc().Get(u"wlan_ch") == u"custom" && SelectChannels()) {
                ShowDeclaredCell(kCustomRow, 1);
            }
            return nullptr;
        default:
            return CListViewBase::CreateCellEditor(row, column, left, top, right, bottom, text);
    }
}

bool CListViewWlan::SelectChannels() {
    CDlgchSelect dialog(Doc().Get(u"wlan_ch_custom"), this);
    if (UserPrompts().ExecDialog(&dialog) != QDialog::Accepted) {
        return false;
    }
    return Store(u"wlan_ch_custom", dialog.m_channels);
}

// ---- commits -------------------------------------------------------------------------------

bool CListViewWlan::Store(std::u16string_view key, std::u16string_view value) {
    if (Doc().Set(key, 0, value)) {
        return true;
    }
    ShowError(PageText(kTextValueRefused));
    return false;
}

void CListViewWlan::OnEndCellEdit(KEndEditRecord& record) {
    if (record.column != 1) {
        return;
    }
    if (record.row == kChannelRow) {
        CommitChannel(record.text);
        return;
    }
    if (record.row == kRoamRow) {
        CommitRoam(record.text);
        return;
    }
    if (IsCertIndexRow(record.row) && IsCellEditable(record.row, 1)) {
        QString value;
        if (FindTextValue(record.text, kChoiceTable, &value) && value == QStringLiteral("0")) {
            UserPrompts().Message(this, PageText(wlan_page::kWarnNoCertificate), IUserPrompts::Icon::Warning,
                                  IUserPrompts::Buttons::Ok);
        }
    }
    CListViewBase::OnEndCellEdit(record);
}

void CListViewWlan::CommitChannel(const QString& text) {
    QString value;
    if (!FindTextValue(text, kChannelTable, &value) ||
        (value == QStringLiteral("custom") && !SelectChannels())) {
        return;  // cancelled: nothing stored, the cell keeps its text
    }
    Store(u"wlan_ch", value.toStdU16String());
    ShowDeclaredCell(kChannelRow, 1);
    ShowDeclaredCell(kCustomRow, 1);
}

void CListViewWlan::CommitRoam(const QString& text) {
    if (const unsigned n = LeadingNumber(text); n > 0) {
        Store(u"wlan_roam_rssi", QString::number(n).toStdU16String());
    }
    ShowRoam();
}

TALVERO_REGISTER_PAGE(1037, CListViewWlan);
