#include "gui/pages/list_view_address_book_list.h"

#include <QFontMetrics>
#include <algorithm>

#include "document/jis_text.h"
#include "document/talvero_doc.h"
#include "gui/editor/k_grid_list_ctrl_combo.h"
#include "gui/editor/k_grid_list_ctrl_edit.h"
#include "gui/pages/page_text.h"

using namespace page_style;

namespace {
constexpr int kFirstRow = 2;
constexpr int kEntries = 500;
constexpr int kNameWidth = 32;
constexpr int kReadingChars = 32;
constexpr int kIdChars = 5;
constexpr int kPhoneNumberChars = 31;
enum { kTypeColumn = 1, kNumberColumn, kNameColumn, kReadingColumn, kSelectColumn, kColumns };
const QString kDefault = QStringLiteral("default");

bool IsEntryRow(int row) {
    return row >= kFirstRow && row < kFirstRow + kEntries;
}

unsigned EntryIndex(int row) {
    return static_cast<unsigned>(row - kFirstRow);
}

QString Q(const std::u16string& text) {
    return QString::fromStdU16String(text);
}
}  // namespace

CListViewAddressBookList::CListViewAddressBookList(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    m_helpMode = 2;
    for (auto [value, id] : std::initializer_list<std::pair<const char*, uint32_t>>{{"indi", 2535},
                                                                                    {"group", 2533},
                                                                                    {"user_group", 2537},
                                                                                    {"tel", 2539},
                                                                                    {"off", 8708},
                                                                                    {"on", 8709}}) {
        AddValueText(QString::fromLatin1(value), PageText(id), kDefault);
    }
    AddValueText(QString(), QString(), kDefault);

    InsertPageColumns(PageText(8700), {40, 150, 360, 300, 300, 150});
    for (int row = 0; row < kFirstRow + kEntries; ++row) {
        InsertItem(row, QString());
    }
    AddSectionRow(0, kColumns, PageText(8701));
    AddLabelCell(1, 0, QString());
    AddLabelCell(1, kTypeColumn, PageText(8703));
    AddLabelCell(1, kNumberColumn, PageText(8704));
    AddLabelCell(1, kNameColumn, PageText(8702));
    AddLabelCell(1, kReadingColumn, PageText(8706));
    AddLabelCell(1, kSelectColumn, PageText(8707));
    for (int row = kFirstRow; row < kFirstRow + kEntries; ++row) {
        AddLabelCell(row, 0, QStringLiteral("%1").arg(row - 1, 3, 10, QLatin1Char('0')));
        for (int column = kTypeColumn; column < kColumns; ++column) {
            SetInputCell(row, column, 1, kValueText, kValueBack, kValueBorder, kDisabledText, kDisabledBack,
                         kDisabledBorder);
        }
    }
    SetHelpPage(ColumnHelpKey(kTypeColumn), QStringLiteral("id_type.htm"));
    SetHelpPage(ColumnHelpKey(kNumberColumn), QStringLiteral("id.htm"));
    SetHelpPage(ColumnHelpKey(kNameColumn), QStringLiteral("name.htm"));
    SetHelpPage(ColumnHelpKey(kReadingColumn), QStringLiteral("yomi.htm"));
    SetHelpPage(ColumnHelpKey(kSelectColumn), QStringLiteral("id_select.htm"));
}

void CListViewAddressBookList::SetupHeader() {
    CListViewBase::SetupHeader();
    // The 40-pixel number column is too narrow for "500" in the bold font of some desktops; it
    // grows to fit rather than cut the entry numbers short.
    const int needed = QFontMetrics(GetCellFont(0)).horizontalAdvance(QStringLiteral("000")) + 8;
    SetColumnWidth(0, std::max(GetColumnWidth(0), needed));
}

int CListViewAddressBookList::GetCellFontIndex(int row, int column) {
    // Font 0 is the bold one; the heading row uses it in every column.
    return row == 1 ? 0 : CListViewBase::GetCellFontIndex(row, column);
}

void CListViewAddressBookList::ReloadRow(int row) {
    const unsigned index = EntryIndex(row);
    const std::u16string& type = Doc().Get(u"id_type", index);
    SetItemText(row, kTypeColumn, ValueToText(Q(type), kDefault));
    const bool used = !type.empty();
    if (used) {
        SetItemText(row, kNumberColumn, Q(Doc().Get(type == u"tel" ? u"number" : u"id", index)));
        SetItemText(row, kNameColumn, Q(Doc().Get(u"name", index)));
        SetItemText(row, kReadingColumn, Q(Doc().Get(u"yomi", index)));
        SetItemText(row, kSelectColumn, ValueToText(Q(Doc().Get(u"id_select", index)), kDefault));
    } else {
        for (int column = kNumberColumn; column < kColumns; ++column) {
            SetItemText(row, column, QString());
        }
    }
    for (int column = kNumberColumn; column < kColumns; ++column) {
        SetCellEditable(row, column, used ? 1 : 0);
    }
}

void CListViewAddressBookList::RefreshFromDocument() {
    for (int row = kFirstRow; row < kFirstRow + kEntries; ++row) {
        ReloadRow(row);
    }
    viewport()->update();
}

QWidget* CListViewAddressBookList::CreateCellEditor(int row, int column, int left, int top, int right,
                                                    int bottom, const QString& text) {
    if (!IsEntryRow(row)) {
        return nullptr;
    }
    switch (column) {
        case kTypeColumn:
            return new KGridListCtrlCombo(
                this, row, column, left, top, right, bottom,
                {QString(), PageText(2535), PageText(2533), PageText(2537), PageText(2539)}, text);
        case kSelectColumn:
            return new KGridListCtrlCombo(this, row, column, left, top, right, bottom,
                                          {PageText(8708), PageText(8709)}, text);
        case kNumberColumn:
        case kNameColumn:
        case kReadingColumn:
            break;
        default:
            return nullptr;
    }
    auto* edit = new KGridListCtrlEdit(this, row, column, left, top, right, bottom, text);
    edit->LiftLengthLimit();
    if (column == kNumberColumn) {
        const bool phone = Doc().Get(u"id_type", EntryIndex(row)) == u"tel";
        edit->m_maxChars = phone ? kPhoneNumberChars : kIdChars;
        edit->m_allowedChars = QString::fromStdU16String(phone ? kPhoneChars : kDigitChars);
        edit->m_asciiOnly = 1;
        edit->DetachInputMethod();
        edit->FilterAllowedChars();
    } else if (column == kNameColumn) {
        edit->m_maxWidth = kNameWidth;
    } else {
        edit->m_maxChars = kReadingChars;
    }
    return edit;
}

void CListViewAddressBookList::OnEndCellEdit(KEndEditRecord& record) {
    if (!IsEntryRow(record.row)) {
        return;
    }
    const unsigned index = EntryIndex(record.row);
    switch (record.column) {
        case kTypeColumn:
            Doc().Set(u"id_type", index, TextToValue(record.text, kDefault).toStdU16String());
            ReloadRow(record.row);
            break;
        case kNumberColumn:
            CommitNumber(record.row, record.text);
            break;
        case kNameColumn:
            CommitName(record.row, record.text);
            break;
        case kReadingColumn:
            CommitReading(record.row, record.text);
            break;
        case kSelectColumn:
            if (Doc().Set(u"id_select", index, TextToValue(record.text, kDefault).toStdU16String())) {
                SetItemText(record.row, record.column, record.text);
            }
            break;
        default:
            break;
    }
    RedrawItems(record.row, record.row);
}

void CListViewAddressBookList::CommitNumber(int row, const QString& typed) {
    const unsigned index = EntryIndex(row);
    const std::u16string& type = Doc().Get(u"id_type", index);
    if (type.empty()) {
        // The type was cleared while the editor was open: nothing is stored, so nothing is shown.
        ReloadRow(row);
        return;
    }
    if (type == u"tel") {
        // The cell shows what the document holds, so a refused number never looks stored.
        Doc().Set(u"number", index, typed.toStdU16String());
        SetItemText(row, kNumberColumn, Q(Doc().Get(u"number", index)));
        return;
    }
    if (!Doc().Set(u"id", index, typed.toStdU16String())) {
        ShowError(PageText(8710, {1, 60000}));
        return;
    }
    SetItemText(row, kNumberColumn, Q(Doc().Get(u"id", index)));
}

void CListViewAddressBookList::CommitName(int row, const QString& typed) {
    const std::u16string text = typed.toStdU16String();
    if (text.empty()) {
        ShowError(PageText(8711, {1, 60000}));
        return;
    }
    if (!IsJisText(text) || !Doc().Set(u"name", EntryIndex(row), text)) {
        ShowError(PageText(430));
        return;
    }
    SetItemText(row, kNameColumn, typed);
}

void CListViewAddressBookList::CommitReading(int row, const QString& typed) {
    std::u16string converted;
    if (ToHalfWidth(typed.toStdU16String(), converted) == 2) {
        ShowError(PageText(8712));
        return;
    }
    if (converted.size() > static_cast<size_t>(kReadingChars)) {
        ShowError(PageText(8713, {kReadingChars}));
        return;
    }
    if (!Doc().Set(u"yomi", EntryIndex(row), converted)) {
        ShowError(PageText(8713, {kReadingChars}));
        return;
    }
    SetItemText(row, kReadingColumn, Q(converted));
}

TALVERO_REGISTER_PAGE(1021, CListViewAddressBookList);
