#include "gui/editor/list_view_base.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include "document/jis_text.h"
#include "document/talvero_doc.h"
#include "document/text_width.h"
#include "gui/editor/k_grid_list_ctrl_combo.h"
#include "gui/editor/k_grid_list_ctrl_edit.h"
#include "gui/shell/user_prompts.h"
#include "platform/code_page.h"
#include "text/language_texts.h"

using namespace page_style;

namespace {

constexpr int kJisErrorId = 430;
constexpr char16_t kPasswordChar = u'*';
const QString kTempTable = QStringLiteral("combobox_temp");

QString Q(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

QString Text(uint32_t id) {
    return Q(GetLanguageText(id));
}

}  // namespace

std::u16string PrintableAsciiChars() {
    std::u16string set;
    for (char16_t ch = u' '; ch <= u'~'; ++ch) {
        set.push_back(ch);
    }
    return set;
}

CListViewBase::CListViewBase(QWidget* parent, const PageContext& context)
    : KGridListView(parent), m_context(context) {
    connect(this, &KGridListView::rowSelected, this, [this] {
        if (m_context.navigateHelp) {
            m_context.navigateHelp(GetHelpUrl());
        }
    });
}

// ---- row building --------------------------------------------------------------------------

void CListViewBase::InsertPageColumns(const QString& title, const std::vector<int>& widths) {
    const std::vector<int> used = widths.empty() ? std::vector<int>{300, 400} : widths;
    for (size_t column = 0; column < used.size(); ++column) {
        InsertColumn(static_cast<int>(column), column == 0 ? title : QString(), Qt::AlignLeft, used[column]);
    }
    SetCellSpan(-1, 0, -1);
    SetCellColors(-1, 0, kTitleText, kTitleBack, kTitleBorder);
}

void CListViewBase::AddSectionRow(int row, int span, const QString& text) {
    SetItemText(row, 0, text);
    SetCellSpan(row, 0, span);
    SetCellColors(row, 0, kSectionText, kSectionBack, kSectionBorder);
    RedrawItems(row, row);
}

void CListViewBase::AddLabelCell(int row, int column, const QString& text) {
    SetItemText(row, column, text);
    SetCellColors(row, column, kLabelText, kLabelBack, kLabelBorder);
    SetCellEditable(row, column, 0);
    RedrawItems(row, row);
}

void CListViewBase::SetInputCell(int row, int column, int editable, ColorRef text, ColorRef back,
                                 ColorRef border, ColorRef textRO, ColorRef backRO, ColorRef borderRO) {
    SetCellColors(row, column, text, back, border, textRO, backRO, borderRO);
    SetCellEditable(row, column, editable);
    RedrawItems(row, row);
}

void CListViewBase::ShowInputCell(int row, int column, bool enabled, const QString& text) {
    SetItemText(row, column, enabled ? text : QString());
    SetInputCell(row, column, enabled ? 1 : 0, kValueText, kValueBack, kValueBorder, kDisabledText,
                 kDisabledBack, kDisabledBorder);
}

void CListViewBase::DeclareRows(uint32_t titleId, std::vector<PageRow> rows) {
    m_rows = std::move(rows);
    const int columns = 2;
    InsertPageColumns(Text(titleId));
    for (int row = 0; row < static_cast<int>(m_rows.size()); ++row) {
        InsertItem(row, QString());
    }
    for (int row = 0; row < static_cast<int>(m_rows.size()); ++row) {
        const PageRow& decl = m_rows[row];
        if (decl.kind == PageRow::Kind::kSection) {
            AddSectionRow(row, columns, Text(decl.labelId));
            continue;
        }
        AddLabelCell(row, 0, Text(decl.labelId));
        SetInputCell(row, 1, 1, kValueText, kValueBack, kValueBorder, kDisabledText, kDisabledBack,
                     kDisabledBorder);
        if (!decl.helpPage.empty()) {
            SetHelpPage(row, QString::fromStdString(decl.helpPage));
        }
        for (const PageChoice& choice : decl.choices) {
            AddValueText(Q(choice.value), Text(choice.textId), Q(decl.table));
        }
    }
}

// ---- value tables --------------------------------------------------------------------------

void CListViewBase::AddValueText(const QString& value, const QString& text, const QString& table) {
    m_valueTexts[table][value] = text;
    m_textValues[table][text] = value;
}

QString CListViewBase::ValueToText(const QString& value, const QString& table) const {
    auto it = m_valueTexts.find(table);
    if (it == m_valueTexts.end()) {
        return {};
    }
    auto found = it->second.find(value);
    return found == it->second.end() ? QString() : found->second;
}

QString CListViewBase::TextToValue(const QString& text, const QString& table) const {
    auto it = m_textValues.find(table);
    if (it == m_textValues.end()) {
        return {};
    }
    auto found = it->second.find(text);
    return found == it->second.end() ? QString() : found->second;
}

void CListViewBase::ClearTempTable() {
    m_valueTexts[kTempTable].clear();
    m_textValues[kTempTable].clear();
}

// ---- help ----------------------------------------------------------------------------------

void CListViewBase::SetHelpPage(int helpKey, const QString& page) {
    m_helpUrls[helpKey] = HelpAddress(m_context.helpFilePath, page);
}

QString CListViewBase::GetHelpUrl() const {
    const int key = m_helpMode == 2 ? ColumnHelpKey(GetCurrentColumn()) : GetFocusedRow();
    auto it = m_helpUrls.find(key);
    return it == m_helpUrls.end() ? QString() : it->second;
}

// ---- cells ---------------------------------------------------------------------------------

bool CListViewBase::SelectFirstEditableCell() {
    for (int row = 0; row < GetItemCount(); ++row) {
        for (int column = 0; column < GetColumnCount(); ++column) {
            if (IsCellEditable(row, column)) {
                SetCurrentColumn(column);
                SetSelectedRow(row);
                return true;
            }
        }
    }
    return false;
}

void CListViewBase::CopyCell() {
    const int row = GetFocusedRow();
    const int column = GetCurrentColumn();
    if (row < 0 || !IsCellEditable(row, column)) {
        return;
    }
    const QString text = GetItemText(row, column);
    auto* data = new QMimeData;
    data->setText(text);
    // The same text in the code page, for programs that read only 8-bit text.
    const std::string ansi = ToAnsi(text.toStdU16String());
    data->setData(QStringLiteral("text/plain;charset=") + QString::fromStdString(AnsiCodePageName()),
                  QByteArray(ansi.data(), static_cast<qsizetype>(ansi.size())));
    QApplication::clipboard()->setMimeData(data);
}

QWidget* CListViewBase::CreateCellEditor(int row, int column, int left, int top, int right, int bottom,
                                         const QString& text) {
    if (row < 0 || row >= static_cast<int>(m_rows.size()) || column != 1) {
        return nullptr;
    }
    const PageRow& decl = m_rows[row];
    switch (decl.kind) {
        case PageRow::Kind::kSection:
            return nullptr;
        case PageRow::Kind::kChoice: {
            QStringList items;
            for (const PageChoice& choice : decl.choices) {
                items << Text(choice.textId);
            }
            return new KGridListCtrlCombo(this, row, column, left, top, right, bottom, items, text);
        }
        case PageRow::Kind::kText:
        case PageRow::Kind::kPassword:
            break;
    }
    const bool password = decl.kind == PageRow::Kind::kPassword;
    // A password cell shows stars; the editor opens on the stored value.
    const QString initial = password ? Q(Doc().Get(decl.key)) : text;
    auto* edit = new KGridListCtrlEdit(this, row, column, left, top, right, bottom, initial,
                                       password ? kPasswordChar : 0);
    edit->LiftLengthLimit();
    edit->m_maxChars = decl.maxChars;
    edit->m_maxAnsiBytes = decl.maxAnsiBytes;
    edit->m_maxUtf8Bytes = decl.maxUtf8Bytes;
    edit->m_maxWidth = decl.maxWidth;
    edit->m_allowedChars = Q(decl.allowedChars);
    edit->FilterAllowedChars();
    if (decl.asciiOnly) {
        edit->m_asciiOnly = 1;
        edit->DetachInputMethod();
    }
    return edit;
}

void CListViewBase::OnEndCellEdit(KEndEditRecord& record) {
    if (record.row < 0 || record.row >= static_cast<int>(m_rows.size()) || record.column != 1) {
        KGridListView::OnEndCellEdit(record);
        return;
    }
    const PageRow& decl = m_rows[record.row];
    if (decl.kind == PageRow::Kind::kSection) {
        return;
    }
    if (decl.kind == PageRow::Kind::kChoice) {
        // The combo offers only values of the setting's domain; the answer cannot be a refusal.
        const QString value = TextToValue(record.text, Q(decl.table));
        Doc().Set(decl.key, value.toStdU16String());
        ApplyRules();
        SetItemText(record.row, record.column, record.text);
        return;
    }
    const std::u16string typed = record.text.toStdU16String();
    if (decl.jisCheck && !IsJisText(typed)) {
        ShowError(Text(kJisErrorId));
        return;
    }
    if (!Doc().Set(decl.key, typed)) {
        std::vector<FormatArg> args;
        for (int64_t arg : decl.errorArgs) {
            args.emplace_back(static_cast<long long>(arg));
        }
        ShowError(Q(FormatText(GetLanguageText(decl.errorId), args)));
        return;
    }
    // The stored form, which may be normalised ("7" is kept as "00007").
    ShowDeclaredRow(record.row);
    ApplyRules();
}

void CListViewBase::ShowError(const QString& text) {
    UserPrompts().Message(this, text, IUserPrompts::Icon::Stop, IUserPrompts::Buttons::Ok);
}

void CListViewBase::ShowDeclaredRow(int row) {
    const PageRow& decl = m_rows[row];
    if (decl.kind == PageRow::Kind::kSection) {
        return;
    }
    const bool enabled = !decl.enabledWhen || decl.enabledWhen(Doc(), m_setIndex);
    const std::u16string& value = Doc().Get(decl.key);
    QString text;
    switch (decl.kind) {
        case PageRow::Kind::kChoice:
            text = ValueToText(Q(value), Q(decl.table));
            break;
        case PageRow::Kind::kPassword:
            text = Q(MaskText(value));
            break;
        default:
            text = Q(value);
            break;
    }
    ShowInputCell(row, 1, enabled, text);
}

void CListViewBase::ApplyRules() {
    for (int row = 0; row < static_cast<int>(m_rows.size()); ++row) {
        if (m_rows[row].enabledWhen) {
            ShowDeclaredRow(row);
        }
    }
}

void CListViewBase::RefreshFromDocument() {
    for (int row = 0; row < static_cast<int>(m_rows.size()); ++row) {
        ShowDeclaredRow(row);
    }
}
