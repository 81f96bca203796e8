#pragma once
// A settings page: a grid bound to the document. It lays out its rows once (title, sections,
// labels, value cells, help pages, value tables) and afterwards only moves data: every value is
// loaded from the document on refresh, and written back through the validating setter when an
// edit ends. Pages declare their rows (page_row.h): a settings page one row per setting, a table
// page one row per member of an indexed family; pages override the cell operations only for what
// their declarations cannot say.
#include <QString>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "gui/editor/k_grid_list_view.h"
#include "gui/shell/page_registry.h"
#include "pages/page_row.h"

class CTalveroDoc;
struct PageDeclaration;
class KGridListCtrlEdit;

class CListViewBase : public KGridListView, public ISettingsPage {
    Q_OBJECT
  public:
    CListViewBase(QWidget* parent, const PageContext& context);

    // ---- ISettingsPage ---------------------------------------------------------------------
    QWidget* PageWidget() override { return this; }
    void SetSetIndex(int setIndex) override { m_setIndex = setIndex; }
    void SetupHeader() override { KGridListView::SetupHeader(); }
    void RefreshFromDocument() override;
    // The selected row's help (empty when it has none); before any row is selected, the first
    // editable row's, else the page's first help page.
    QString CurrentHelpAddress() const override;

    // ---- row building ----------------------------------------------------------------------
    void InsertPageColumns(const QString& title, const std::vector<int>& widths = {});
    void AddSectionRow(int row, int span, const QString& text);
    void AddLabelCell(int row, int column, const QString& text);
    void SetInputCell(int row, int column, int editable, ColorRef text, ColorRef back, ColorRef border,
                      ColorRef textRO, ColorRef backRO, ColorRef borderRO);
    // Enabled: the text shown and the cell editable; disabled: blank and read-only.
    void ShowInputCell(int row, int column, bool enabled, const QString& text);
    // Widens each column to its longest label, heading or section title in the cell fonts (the
    // declared widths are the minimum). Pages that lay out rows of their own call it after their
    // last label.
    void FitLabelColumn();
    // Lays out a declared page: title, one grid row per declaration, help and value tables.
    void DeclareRows(uint32_t titleId, std::vector<PageRow> rows);
    // Lays out a table page: title, section, bold headings, numbered member rows, help and tables.
    void DeclareTable(TableLayout layout);
    // Lays out a page declared in the core (pages/page_declaration.h).
    void DeclarePage(const PageDeclaration& page);

    // ---- settings shown --------------------------------------------------------------------
    // The settings the declared rows edit (a table page: its columns' settings), in page order.
    std::vector<std::u16string> DeclaredSettings() const;
    // Selects the row that edits `name` (on a table page, the row of member `index`) and scrolls
    // it into view; false when no declared row edits it.
    virtual bool SelectSetting(std::u16string_view name, unsigned index);

    // ---- value tables ----------------------------------------------------------------------
    void AddValueText(const QString& value, const QString& text, const QString& table);
    // A choice row's pairs and its shown-only texts, in the row's own table.
    void AddChoiceTexts(const PageRow& row);
    QString ValueToText(const QString& value, const QString& table) const;
    QString TextToValue(const QString& text, const QString& table) const;
    // The value of a text the table holds; false when it holds no such text.
    bool FindTextValue(const QString& text, const QString& table, QString* value) const;
    void ClearTempTable();

    // ---- help ------------------------------------------------------------------------------
    void SetHelpPage(int helpKey, const QString& page);
    QString GetHelpUrl() const;
    static int ColumnHelpKey(int column) { return column * 65536 + 65535; }

    int m_helpMode = 1;  // 1: per row, 2: per column
    int m_setIndex = -1;

  protected:
    // Pages that lay out their own rows get their label column fitted here.
    void showEvent(QShowEvent* event) override;
    bool SelectFirstEditableCell() override;
    QWidget* CreateCellEditor(int row, int column, int left, int top, int right, int bottom,
                              const QString& text) override;
    void OnEndCellEdit(KEndEditRecord& record) override;
    void CopyCell() override;
    // Table pages: the heading row in the bold font.
    int GetCellFontIndex(int row, int column) override;
    // A page with help per column shows the help of the column the current cell moved to.
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

    CTalveroDoc& Doc() const { return *m_context.document; }
    // The refusal message with the error icon.
    void ShowError(const QString& text);
    // Stores a typed or chosen value through the one rule check every path applies; a refusal is
    // shown with the page's message.
    bool Commit(const PageRow& decl, const std::u16string& key, unsigned index, const std::u16string& value);
    // Re-runs every declared dependency rule.
    void ApplyRules();
    // The declaration behind a value cell, with the member index it edits; null for any other cell.
    const PageRow* CellDeclaration(int row, int column, unsigned* index = nullptr) const;
    // Loads one declared value cell from the document and applies its rule.
    void ShowDeclaredCell(int row, int column);
    // Sets a cell editor's limits and character rules.
    static void ConfigureEdit(KGridListCtrlEdit& edit, const TextRowRule& rule);
    bool IsTablePage() const { return m_table.has_value(); }

    PageContext m_context;
    std::map<QString, std::map<QString, QString>> m_valueTexts;
    std::map<QString, std::map<QString, QString>> m_textValues;
    std::map<int, QString> m_helpUrls;
    std::vector<PageRow> m_rows;
    std::optional<TableLayout> m_table;

  private:
    void CommitIdentifierOrNumber(const PageRow& decl, unsigned index, const KEndEditRecord& record);
    void AfterCommit(const PageRow& decl);
    // Sends the current column's help to the pane when the current column has changed.
    void FollowHelpColumn();

    bool m_labelColumnFitted = false;  // the labels never change once the page is laid out
    int m_helpColumn = -1;             // the column whose help the pane was last sent
};

// The standard cell styles of every page.
namespace page_style {
inline constexpr ColorRef kTitleText = 0x00FFFF, kTitleBack = 0x800000, kTitleBorder = 0xA0A0A0;
inline constexpr ColorRef kSectionText = 0xFFFFFF, kSectionBack = 0x008000, kSectionBorder = 0xFFFFFF;
inline constexpr ColorRef kLabelText = 0xFFFFFF, kLabelBack = 0x808080, kLabelBorder = 0xFFFFFF;
inline constexpr ColorRef kValueText = 0x000000, kValueBack = 0xFFFFFF, kValueBorder = 0x808080;
inline constexpr ColorRef kDisabledText = 0x808080, kDisabledBack = 0xE8E8E8, kDisabledBorder = 0x808080;
}  // namespace page_style
