#include "gui/pages/list_view_address_book_setting.h"

#include "document/talvero_doc.h"
#include "gui/editor/k_grid_list_ctrl_combo.h"
#include "gui/pages/entry_description.h"
#include "gui/pages/page_text.h"

namespace {
constexpr int kTopRow = 2;
constexpr unsigned kEntries = 500;
const QString kTempTable = QStringLiteral("combobox_temp");

bool ListUsed(const CTalveroDoc& doc, int) {
    return doc.Get(u"sel") != u"off";
}
}  // namespace

CListViewAddressBookSetting::CListViewAddressBookSetting(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    const std::vector<PageChoice> onOff = {{u"off", 2500}, {u"on", 2501}};
    const std::vector<PageChoice> listType = {{u"tab", 8657}, {u"list", 8658}};
    PageRow allCall = ChoiceRow(8654, u"all_call_disp", "all_call_disp.htm", onOff);
    allCall.enabledWhen = [](const CTalveroDoc& doc, int set) {
        return ListUsed(doc, set) && doc.Get(u"id_list_top") != u"0";
    };
    PageRow type = ChoiceRow(8655, u"id_list_type", "id_list_type.htm", listType, u"SECTION_IDLIST_TYPE");
    PageRow typeUpDown =
        ChoiceRow(8656, u"id_list_type_updown", "id_list_type_updown.htm", listType, u"SECTION_IDLIST_TYPE");
    PageRow reverse = ChoiceRow(8659, u"updown_reverse", "updown_reverse.htm",
                                {{u"normal", 8660}, {u"invert", 8661}}, u"SECTION_UPDOWN_ACTION");
    for (PageRow* row : {&type, &typeUpDown, &reverse}) {
        row->enabledWhen = ListUsed;
    }
    // The start entry lists the entries as they are now, so its items are built when it opens.
    DeclareRows(8650, {SectionRow(8651), ChoiceRow(8652, u"sel", "sel.htm", onOff),
                       ChoiceRow(8653, u"id_list_top", "id_list_top.htm", {}, u"combobox_temp"), allCall,
                       type, typeUpDown, reverse});
    AddValueText(QStringLiteral("0"), PageText(2531), QStringLiteral("default"));
    for (unsigned n = 1; n <= kEntries; ++n) {
        AddValueText(QString::number(n), QString::number(n), QStringLiteral("default"));
    }
}

void CListViewAddressBookSetting::ShowTopRow() {
    bool ok = false;
    const unsigned top = QString::fromStdU16String(Doc().Get(u"id_list_top")).toUInt(&ok);
    ShowInputCell(kTopRow, 1, ListUsed(Doc(), m_setIndex), EntryDescription(Doc(), ok ? top : 0));
}

void CListViewAddressBookSetting::RefreshFromDocument() {
    CListViewBase::RefreshFromDocument();
    ShowTopRow();
}

QWidget* CListViewAddressBookSetting::CreateCellEditor(int row, int column, int left, int top, int right,
                                                       int bottom, const QString& text) {
    if (row != kTopRow || column != 1) {
        return CListViewBase::CreateCellEditor(row, column, left, top, right, bottom, text);
    }
    ClearTempTable();
    QStringList items;
    items.reserve(kEntries + 1);
    for (unsigned n = 0; n <= kEntries; ++n) {
        const QString line = EntryDescription(Doc(), n);
        AddValueText(QString::number(n), line, kTempTable);
        items << line;
    }
    return new KGridListCtrlCombo(this, row, column, left, top, right, bottom, items, text);
}

void CListViewAddressBookSetting::OnEndCellEdit(KEndEditRecord& record) {
    if (record.row == kTopRow && record.column == 1) {
        const QString value = TextToValue(record.text, kTempTable);
        if (!value.isEmpty()) {
            Doc().Set(u"id_list_top", value.toStdU16String());
        }
        ApplyRules();
    } else {
        CListViewBase::OnEndCellEdit(record);
    }
    ShowTopRow();
}

TALVERO_REGISTER_PAGE(1020, CListViewAddressBookSetting);
