#include "gui/editor/list_view_base.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QMimeData>
#include <algorithm>

#include "document/talvero_doc.h"
#include "document/text_width.h"
#include "gui/editor/k_grid_list_ctrl_combo.h"
#include "gui/editor/k_grid_list_ctrl_edit.h"
#include "gui/shell/user_prompts.h"
#include "pages/page_declaration.h"
#include "pages/page_rule_check.h"
#include "platform/code_page.h"
#include "text/language_texts.h"

using namespace page_style;

namespace {

constexpr char16_t kPasswordChar = u'*';
const QString kTempTable = QStringLiteral("combobox_temp");
// Identifier types that change what an identifier-or-number row edits.
constexpr std::u16string_view kTelephoneType = u"tel";
constexpr std::u16string_view kAllType = u"all";

QString Q(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

QString Text(uint32_t id) {
    return Q(GetLanguageText(id));
}

QString ChoiceText(const PageChoice& choice) {
    return Q(ShownChoiceText(choice));
}

// The value table a choice row's pairs live in: its own, named by its key (the rows of a family's
// members share their key and their pairs); a document choice row's items live in the temporary
// table while its combo is open.
QString TableOf(const PageRow& row) {
    return row.kind == PageRow::Kind::kDocumentChoice ? kTempTable : Q(row.key);
}

}  // namespace

CListViewBase::CListViewBase(QWidget* parent, const PageContext& context)
    : KGridListView(parent), m_context(context) {
    // The labels stay in view while a wide page scrolls sideways.
    SetFirstColumnFrozen(true);
    connect(this, &KGridListView::rowSelected, this, [this] {
        m_helpColumn = GetCurrentColumn();
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

void CListViewBase::FitLabelColumn() {
    // The declared widths are the least the columns get: a longer label, heading or section title
    // in the user's font widens its column, so no fixed text is cut. Values are not measured: they
    // change with the document, and their editors show them whole. A title that runs to the
    // window's edge does not count.
    constexpr int kPadding = 3 + 3 + 8;  // the cell's text margins and a little air
    const int columns = GetColumnCount();
    const QFontMetrics fonts[] = {QFontMetrics(GetCellFont(0)), QFontMetrics(GetCellFont(1))};
    struct Spanning {
        int first;
        int last;
        int width;
    };
    std::vector<int> widest(static_cast<size_t>(columns), 0);
    std::vector<Spanning> spanning;
    for (int row = 0; row < GetItemCount(); ++row) {
        for (int column = 0; column < columns; ++column) {
            const QString text = GetItemText(row, column);
            const int span = GetCellSpan(row, column);
            if (text.isEmpty() || IsCellEditable(row, column) || span < 0) {
                continue;
            }
            const int font = std::clamp(GetCellFontIndex(row, column), 0, 1);
            const int width = fonts[font].horizontalAdvance(text) + kPadding;
            const int last = std::min(columns, column + std::max(span, 1)) - 1;
            if (last == column) {
                widest[static_cast<size_t>(column)] = std::max(widest[static_cast<size_t>(column)], width);
            } else {
                spanning.push_back({column, last, width});
            }
        }
    }
    for (int column = 0; column < columns; ++column) {
        if (widest[static_cast<size_t>(column)] > GetColumnWidth(column)) {
            SetColumnWidth(column, widest[static_cast<size_t>(column)]);
        }
    }
    // A text over several columns that still does not fit widens the last of them.
    for (const Spanning& cell : spanning) {
        int covered = 0;
        for (int column = cell.first; column <= cell.last; ++column) {
            covered += GetColumnWidth(column);
        }
        if (cell.width > covered) {
            SetColumnWidth(cell.last, GetColumnWidth(cell.last) + cell.width - covered);
        }
    }
}

void CListViewBase::showEvent(QShowEvent* event) {
    // Once, when every row of the page exists; later showings keep the width (a column the user
    // resized stays so).
    if (!m_labelColumnFitted) {
        m_labelColumnFitted = true;
        FitLabelColumn();
    }
    KGridListView::showEvent(event);
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
        PageRow& decl = m_rows[row];
        if (decl.kind == PageRow::Kind::kSection) {
            // A section without a label is an empty row that sets groups of rows apart.
            if (decl.labelId != 0) {
                AddSectionRow(row, columns, Text(decl.labelId));
            }
            continue;
        }
        PrepareRow(decl);
        AddLabelCell(row, 0, Text(decl.labelId));
        SetInputCell(row, 1, 1, kValueText, kValueBack, kValueBorder, kDisabledText, kDisabledBack,
                     kDisabledBorder);
        if (!decl.helpPage.empty()) {
            SetHelpPage(row, QString::fromStdString(decl.helpPage));
        }
        AddChoiceTexts(decl);
    }
    FitLabelColumn();
}

void CListViewBase::DeclareTable(TableLayout layout) {
    m_table = std::move(layout);
    TableLayout& table = *m_table;
    m_helpMode = table.helpPerColumn ? 2 : 1;
    const int columns = static_cast<int>(table.columns.size()) + 1;
    std::vector<int> widths = {table.numberWidth};
    for (const TableColumn& column : table.columns) {
        widths.push_back(column.width);
    }
    InsertPageColumns(Text(table.titleId), widths);
    const int rows = kTableFirstRow + static_cast<int>(table.members);
    for (int row = 0; row < rows; ++row) {
        InsertItem(row, QString());
    }
    AddSectionRow(0, columns, Text(table.sectionId));
    AddLabelCell(1, 0, QString());
    for (int column = 1; column < columns; ++column) {
        TableColumn& declared = table.columns[column - 1];
        PrepareRow(declared.cell);
        AddLabelCell(1, column, declared.headingId ? Text(declared.headingId) : QString());
        AddChoiceTexts(declared.cell);
        if (table.helpPerColumn && !declared.cell.helpPage.empty()) {
            SetHelpPage(ColumnHelpKey(column), QString::fromStdString(declared.cell.helpPage));
        }
    }
    for (int row = kTableFirstRow; row < rows; ++row) {
        const unsigned number = static_cast<unsigned>(row - kTableFirstRow + 1);
        AddLabelCell(row, 0, QStringLiteral("%1").arg(number, table.numberDigits, 10, QLatin1Char('0')));
        for (int column = 1; column < columns; ++column) {
            SetInputCell(row, column, 1, kValueText, kValueBack, kValueBorder, kDisabledText, kDisabledBack,
                         kDisabledBorder);
        }
        if (!table.helpPerColumn && !table.columns.empty() && !table.columns[0].cell.helpPage.empty()) {
            SetHelpPage(row, QString::fromStdString(table.columns[0].cell.helpPage));
        }
    }
}

void CListViewBase::DeclarePage(const PageDeclaration& page) {
    if (page.table) {
        DeclareTable(*page.table);
    } else {
        DeclareRows(page.titleId, page.rows);
    }
    if (page.labelWidth > 0) {
        SetColumnWidth(0, page.labelWidth);
    }
    if (!page.table) {
        // The values take the room the labels leave, so a page of rows never scrolls sideways
        // while a value keeps room to be read.
        constexpr int kLeastValueWidth = 200;
        SetLastColumnFills(kLeastValueWidth);
    }
}

// ---- value tables --------------------------------------------------------------------------

void CListViewBase::AddChoiceTexts(const PageRow& row) {
    for (const std::vector<PageChoice>* list : {&row.choices, &row.shownOnly}) {
        for (const PageChoice& choice : *list) {
            AddValueText(Q(choice.value), ChoiceText(choice), TableOf(row));
        }
    }
}

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

bool CListViewBase::FindTextValue(const QString& text, const QString& table, QString* value) const {
    auto it = m_textValues.find(table);
    if (it == m_textValues.end()) {
        return false;
    }
    auto found = it->second.find(text);
    if (found == it->second.end()) {
        return false;
    }
    *value = found->second;
    return true;
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

QString CListViewBase::CurrentHelpAddress() const {
    if (GetFocusedRow() >= 0) {
        return GetHelpUrl();  // empty for a row without help of its own
    }
    // Nothing chosen yet (a page just opened): the help of the first row the user can edit, so
    // the pane explains what is in front of the user; a page without one shows its first help.
    for (int row = 0; row < GetItemCount(); ++row) {
        for (int column = 0; column < GetColumnCount(); ++column) {
            if (!IsCellEditable(row, column)) {
                continue;
            }
            const int key = m_helpMode == 2 ? ColumnHelpKey(column) : row;
            if (auto it = m_helpUrls.find(key); it != m_helpUrls.end()) {
                return it->second;
            }
        }
    }
    return m_helpUrls.empty() ? QString() : m_helpUrls.begin()->second;
}

void CListViewBase::FollowHelpColumn() {
    // The grid announces only a change of row; a move within the row (Left, Right, Tab, a
    // click) changes the help only where it is kept per column.
    if (m_helpMode != 2 || GetFocusedRow() < 0 || GetCurrentColumn() == m_helpColumn) {
        return;
    }
    m_helpColumn = GetCurrentColumn();
    if (m_context.navigateHelp) {
        m_context.navigateHelp(GetHelpUrl());
    }
}

void CListViewBase::keyPressEvent(QKeyEvent* event) {
    KGridListView::keyPressEvent(event);
    FollowHelpColumn();
}

void CListViewBase::mousePressEvent(QMouseEvent* event) {
    KGridListView::mousePressEvent(event);
    FollowHelpColumn();
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

const PageRow* CListViewBase::CellDeclaration(int row, int column, unsigned* index) const {
    const PageRow* decl = nullptr;
    unsigned member = 0;
    if (m_table) {
        const int members = static_cast<int>(m_table->members);
        const int columns = static_cast<int>(m_table->columns.size());
        if (row >= kTableFirstRow && row < kTableFirstRow + members && column >= 1 && column <= columns) {
            decl = &m_table->columns[column - 1].cell;
            member = static_cast<unsigned>(row - kTableFirstRow);
        }
    } else if (row >= 0 && row < static_cast<int>(m_rows.size()) && column == 1) {
        decl = &m_rows[row];
        member = decl->member;
    }
    if (decl && decl->kind == PageRow::Kind::kSection) {
        decl = nullptr;
    }
    if (decl && index) {
        *index = member;
    }
    return decl;
}

void CListViewBase::ConfigureEdit(KGridListCtrlEdit& edit, const TextRowRule& rule) {
    edit.LiftLengthLimit();
    edit.m_maxChars = rule.maxChars;
    edit.m_maxAnsiBytes = rule.maxAnsiBytes;
    edit.m_maxUtf8Bytes = rule.maxUtf8Bytes;
    edit.m_maxWidth = rule.maxWidth;
    // The editor shows the stored value as stored: only what the user types or pastes is held to
    // the allowed characters, so opening and closing it never rewrites the value.
    edit.m_allowedChars = Q(rule.allowedChars);
    if (rule.asciiOnly) {
        edit.m_asciiOnly = 1;
        edit.DetachInputMethod();
    }
}

QWidget* CListViewBase::CreateCellEditor(int row, int column, int left, int top, int right, int bottom,
                                         const QString& text) {
    unsigned index = 0;
    const PageRow* decl = CellDeclaration(row, column, &index);
    if (!decl) {
        return nullptr;
    }
    switch (decl->kind) {
        case PageRow::Kind::kSection:
            return nullptr;
        case PageRow::Kind::kChoice: {
            QStringList items;
            for (const PageChoice& choice : decl->choices) {
                items << ChoiceText(choice);
            }
            return new KGridListCtrlCombo(this, row, column, left, top, right, bottom, items, text);
        }
        case PageRow::Kind::kDocumentChoice: {
            // The items are what the document holds now; they live in the temporary table
            // until the next combo of this kind opens.
            ClearTempTable();
            QStringList items;
            if (decl->listChoices) {
                for (const PageChoice& choice : decl->listChoices(Doc())) {
                    const QString shown = ChoiceText(choice);
                    AddValueText(Q(choice.value), shown, kTempTable);
                    items << shown;
                }
            }
            return new KGridListCtrlCombo(this, row, column, left, top, right, bottom, items, text);
        }
        case PageRow::Kind::kIdentifierOrNumber: {
            const bool number = Doc().Get(decl->typeKey, index) == kTelephoneType;
            auto* edit = new KGridListCtrlEdit(this, row, column, left, top, right, bottom, text);
            ConfigureEdit(*edit, number ? decl->numberRule : RuleNow(*decl, Doc(), index));
            return edit;
        }
        case PageRow::Kind::kText:
        case PageRow::Kind::kPassword:
            break;
    }
    if (decl->readOnly) {
        auto* edit = new KGridListCtrlEdit(this, row, column, left, top, right, bottom, text);
        edit->setReadOnly(true);
        edit->DetachInputMethod();
        return edit;
    }
    const bool password = decl->kind == PageRow::Kind::kPassword;
    // A password cell shows stars; the editor opens on the stored value.
    const QString initial = password ? Q(Doc().Get(decl->key, index)) : text;
    auto* edit = new KGridListCtrlEdit(this, row, column, left, top, right, bottom, initial,
                                       password ? kPasswordChar : 0);
    ConfigureEdit(*edit, RuleNow(*decl, Doc(), index));
    return edit;
}

void CListViewBase::AfterCommit(const PageRow& decl) {
    if (decl.refreshPageOnCommit) {
        RefreshFromDocument();
    } else {
        ApplyRules();
    }
}

void CListViewBase::OnEndCellEdit(KEndEditRecord& record) {
    unsigned index = 0;
    const PageRow* decl = CellDeclaration(record.row, record.column, &index);
    if (!decl) {
        if (!m_table &&
            (record.row < 0 || record.row >= static_cast<int>(m_rows.size()) || record.column != 1)) {
            KGridListView::OnEndCellEdit(record);
        }
        return;
    }
    const int ruleArgument = m_table ? static_cast<int>(index) : m_setIndex;
    if (decl->readOnly || (decl->enabledWhen && !decl->enabledWhen(Doc(), ruleArgument))) {
        // Read-only, or locked while its editor was open: what the editor holds is not kept.
        ShowDeclaredCell(record.row, record.column);
        return;
    }
    switch (decl->kind) {
        case PageRow::Kind::kIdentifierOrNumber:
            CommitIdentifierOrNumber(*decl, index, record);
            return;
        case PageRow::Kind::kChoice: {
            // Only a listed item is a choice; any other text (none chosen) stores nothing.
            QString value;
            if (!FindTextValue(record.text, TableOf(*decl), &value)) {
                ShowDeclaredCell(record.row, record.column);
                return;
            }
            // The combo offers only values of the setting's domain; only a rule across settings
            // (a range whose ends must not cross) can refuse one, and then the row says why.
            Commit(*decl, decl->key, index, value.toStdU16String());
            AfterCommit(*decl);
            ShowDeclaredCell(record.row, record.column);
            return;
        }
        case PageRow::Kind::kDocumentChoice: {
            // The empty item (or a text no longer listed) stores nothing.
            QString value;
            if (FindTextValue(record.text, kTempTable, &value) && !value.isEmpty()) {
                Commit(*decl, decl->key, index, value.toStdU16String());
            }
            AfterCommit(*decl);
            ShowDeclaredCell(record.row, record.column);
            return;
        }
        default:
            break;
    }
    if (!Commit(*decl, decl->key, index, record.text.toStdU16String())) {
        return;
    }
    // The stored form, which may be normalised ("7" is kept as "00007").
    ShowDeclaredCell(record.row, record.column);
    AfterCommit(*decl);
}

bool CListViewBase::Commit(const PageRow& decl, const std::u16string& key, unsigned index,
                           const std::u16string& value) {
    const PageVerdict verdict = SetThroughRow(Doc(), decl, CTalveroDoc::Id(key, index), value);
    if (!verdict.accepted) {
        ShowError(QString::fromStdString(verdict.Message()));
    }
    return verdict.accepted;
}

void CListViewBase::CommitIdentifierOrNumber(const PageRow& decl, unsigned index,
                                             const KEndEditRecord& record) {
    // Refused, the cell keeps the number or identifier it showed.
    const bool number = Doc().Get(decl.typeKey, index) == kTelephoneType;
    if (!Commit(decl, number ? decl.numberKey : decl.key, index, record.text.toStdU16String())) {
        return;
    }
    ShowDeclaredCell(record.row, record.column);
    AfterCommit(decl);
}

int CListViewBase::GetCellFontIndex(int row, int column) {
    // Font 0 is the bold one; a table's heading row uses it in every column.
    return m_table && row == 1 ? 0 : KGridListView::GetCellFontIndex(row, column);
}

void CListViewBase::ShowError(const QString& text) {
    UserPrompts().Message(this, text, IUserPrompts::Icon::Stop, IUserPrompts::Buttons::Ok);
}

void CListViewBase::ShowDeclaredCell(int row, int column) {
    unsigned index = 0;
    const PageRow* decl = CellDeclaration(row, column, &index);
    if (!decl) {
        return;
    }
    const int ruleArgument = m_table ? static_cast<int>(index) : m_setIndex;
    bool enabled = !decl->enabledWhen || decl->enabledWhen(Doc(), ruleArgument);
    const std::u16string* value = &Doc().Get(decl->key, index);
    if (decl->kind == PageRow::Kind::kIdentifierOrNumber) {
        const std::u16string& type = Doc().Get(decl->typeKey, index);
        enabled = enabled && type != kAllType;
        if (type == kTelephoneType) {
            value = &Doc().Get(decl->numberKey, index);
        }
    }
    QString text;
    switch (decl->kind) {
        case PageRow::Kind::kChoice:
            text = ValueToText(Q(*value), TableOf(*decl));
            if (text.isEmpty() && decl->unlistedShowsValue) {
                text = Q(*value);
            }
            break;
        case PageRow::Kind::kDocumentChoice:
            text = decl->describe ? Q(decl->describe(Doc(), *value)) : Q(*value);
            break;
        case PageRow::Kind::kPassword:
            text = Q(MaskText(*value));
            break;
        default:
            text = Q(*value);
            break;
    }
    if (enabled || !decl->keepTextWhenDisabled) {
        ShowInputCell(row, column, enabled, text);
    } else {
        SetItemText(row, column, text);
        SetInputCell(row, column, 0, kValueText, kValueBack, kValueBorder, kDisabledText, kDisabledBack,
                     kDisabledBorder);
    }
}

void CListViewBase::ApplyRules() {
    if (m_table) {
        for (size_t column = 0; column < m_table->columns.size(); ++column) {
            if (!m_table->columns[column].cell.enabledWhen) {
                continue;
            }
            for (unsigned member = 0; member < m_table->members; ++member) {
                ShowDeclaredCell(kTableFirstRow + static_cast<int>(member), static_cast<int>(column) + 1);
            }
        }
        return;
    }
    for (int row = 0; row < static_cast<int>(m_rows.size()); ++row) {
        if (m_rows[row].enabledWhen) {
            ShowDeclaredCell(row, 1);
        }
    }
}

void CListViewBase::RefreshFromDocument() {
    if (m_table) {
        const int columns = static_cast<int>(m_table->columns.size());
        for (unsigned member = 0; member < m_table->members; ++member) {
            for (int column = 1; column <= columns; ++column) {
                ShowDeclaredCell(kTableFirstRow + static_cast<int>(member), column);
            }
        }
        return;
    }
    for (int row = 0; row < static_cast<int>(m_rows.size()); ++row) {
        ShowDeclaredCell(row, 1);
    }
}

std::vector<std::u16string> CListViewBase::DeclaredSettings() const {
    std::vector<std::u16string> names;
    auto add = [&names](const PageRow& row) {
        for (const std::u16string* key : {&row.key, &row.typeKey, &row.numberKey}) {
            if (row.kind != PageRow::Kind::kSection && !key->empty()) {
                names.push_back(*key);
            }
        }
    };
    if (m_table) {
        for (const TableColumn& column : m_table->columns) {
            add(column.cell);
        }
    }
    for (const PageRow& row : m_rows) {
        add(row);
    }
    return names;
}

bool CListViewBase::SelectSetting(std::u16string_view name, unsigned index) {
    // A plain page whose rows edit fixed members has a row per member (a WLAN profile's rows).
    const bool memberRows =
        std::any_of(m_rows.begin(), m_rows.end(), [](const PageRow& row) { return row.member != 0; });
    for (int row = 0; row < GetItemCount(); ++row) {
        for (int column = 1; column < GetColumnCount(); ++column) {
            unsigned member = 0;
            const PageRow* decl = CellDeclaration(row, column, &member);
            const bool table = m_table.has_value();
            // A row of a plain page edits its setting whatever member was asked for, unless the
            // page has a row per member.
            const bool anyMember = !table && !memberRows;
            if (decl && (decl->key == name || decl->numberKey == name) && (anyMember || member == index)) {
                // The column first: selecting the row sends the help, which may be the column's.
                SetCurrentColumn(column);
                SetSelectedRow(row);
                FollowHelpColumn();
                EnsureVisible(row);
                return true;
            }
        }
    }
    return false;
}
