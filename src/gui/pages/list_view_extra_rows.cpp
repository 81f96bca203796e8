#include "gui/pages/list_view_extra_rows.h"

#include "document/settings_catalogue.h"
#include "document/talvero_doc.h"
#include "gui/editor/k_grid_list_ctrl_combo.h"
#include "gui/editor/k_grid_list_ctrl_edit.h"
#include "gui/pages/page_text.h"

namespace {

const QString kTempTable = QStringLiteral("combobox_temp");
constexpr int kValueColumn = 1;
constexpr int kIdDigits = 5;
constexpr int kNumberChars = 31;
constexpr int kIdMin = 1;
constexpr int kIdMax = 60000;

QString Q(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

bool Holds(const CListViewExtraRows::Condition& condition, const CTalveroDoc& doc) {
    return !condition || condition(doc);
}

}  // namespace

QStringList CListViewExtraRows::NumberItems(int first, int last) {
    QStringList items;
    for (int n = first; n <= last; ++n) {
        items << QString::number(n);
    }
    return items;
}

void CListViewExtraRows::SetComboItems(int row, QStringList items) {
    m_comboItems[row] = std::move(items);
}

void CListViewExtraRows::SetIdentifierRow(int row, IdentifierRow declaration) {
    m_identifierRows[row] = std::move(declaration);
}

void CListViewExtraRows::SetMessageRow(int row, MessageRow declaration) {
    m_messageRows[row] = std::move(declaration);
}

void CListViewExtraRows::AddNumberTexts(const QString& table, int first, int last) {
    for (int n = first; n <= last; ++n) {
        AddValueText(QString::number(n), QString::number(n), table);
    }
}

void CListViewExtraRows::RefreshFromDocument() {
    CListViewBase::RefreshFromDocument();
    ShowExtraRows();
}

void CListViewExtraRows::ShowExtraRows() {
    for (const auto& [row, declaration] : m_identifierRows) {
        ShowIdentifierRow(row, declaration);
    }
    for (const auto& [row, declaration] : m_messageRows) {
        ShowMessageRow(row, declaration);
    }
}

void CListViewExtraRows::ShowIdentifierRow(int row, const IdentifierRow& declaration) {
    const std::u16string& type = Doc().Get(declaration.typeKey);
    const bool enabled = Holds(declaration.enabledWhen, Doc()) && type != u"all";
    const std::u16string& shown = Doc().Get(type == u"tel" ? declaration.numberKey : declaration.idKey);
    ShowInputCell(row, kValueColumn, enabled, Q(shown));
}

QString CListViewExtraRows::MessageLine(const std::u16string& number) const {
    bool ok = false;
    const unsigned n = Q(number).toUInt(&ok);
    // Any stored text can reach here; only a message that exists has a line.
    if (!ok || n < 1 || n > kMessages) {
        return {};
    }
    return QStringLiteral("%1 : %2").arg(n, 2).arg(Q(Doc().Get(u"msg", n - 1)));
}

void CListViewExtraRows::ShowMessageRow(int row, const MessageRow& declaration) {
    const bool enabled = Holds(declaration.enabledWhen, Doc());
    ShowInputCell(row, kValueColumn, enabled, MessageLine(Doc().Get(declaration.key)));
}

QWidget* CListViewExtraRows::CreateCellEditor(int row, int column, int left, int top, int right, int bottom,
                                              const QString& text) {
    if (column != kValueColumn) {
        return CListViewBase::CreateCellEditor(row, column, left, top, right, bottom, text);
    }
    if (auto it = m_comboItems.find(row); it != m_comboItems.end()) {
        return new KGridListCtrlCombo(this, row, column, left, top, right, bottom, it->second, text);
    }
    if (auto it = m_messageRows.find(row); it != m_messageRows.end()) {
        ClearTempTable();
        QStringList items;
        for (unsigned n = 1; n <= kMessages; ++n) {
            const QString line = MessageLine(QString::number(n).toStdU16String());
            AddValueText(QString::number(n), line, kTempTable);
            items << line;
        }
        return new KGridListCtrlCombo(this, row, column, left, top, right, bottom, items, text);
    }
    if (auto it = m_identifierRows.find(row); it != m_identifierRows.end()) {
        const bool tel = Doc().Get(it->second.typeKey) == u"tel";
        auto* edit = new KGridListCtrlEdit(this, row, column, left, top, right, bottom, text);
        edit->LiftLengthLimit();
        edit->m_maxChars = tel ? kNumberChars : kIdDigits;
        edit->m_allowedChars = QString::fromUtf16(tel ? kPhoneChars : kDigitChars);
        edit->FilterAllowedChars();
        edit->m_asciiOnly = 1;
        edit->DetachInputMethod();
        return edit;
    }
    return CListViewBase::CreateCellEditor(row, column, left, top, right, bottom, text);
}

void CListViewExtraRows::CommitIdentifier(const IdentifierRow& declaration, const QString& text) {
    const std::u16string& type = Doc().Get(declaration.typeKey);
    // The row may have been locked while its editor was open: what was typed is not kept then.
    if (!Holds(declaration.enabledWhen, Doc()) || type == u"all") {
        return;
    }
    if (type == u"tel") {
        Doc().Set(declaration.numberKey, text.toStdU16String());
        return;
    }
    if (!Doc().Set(declaration.idKey, text.toStdU16String())) {
        ShowError(PageText(declaration.errorId, {kIdMin, kIdMax}));
    }
}

void CListViewExtraRows::OnEndCellEdit(KEndEditRecord& record) {
    if (record.column == kValueColumn) {
        if (auto it = m_identifierRows.find(record.row); it != m_identifierRows.end()) {
            CommitIdentifier(it->second, record.text);
            ShowExtraRows();
            return;
        }
        if (auto it = m_messageRows.find(record.row); it != m_messageRows.end()) {
            const QString value = TextToValue(record.text, kTempTable);
            if (!value.isEmpty() && Holds(it->second.enabledWhen, Doc())) {
                Doc().Set(it->second.key, value.toStdU16String());
            }
            ShowExtraRows();
            return;
        }
    }
    CListViewBase::OnEndCellEdit(record);
    ShowExtraRows();
}
