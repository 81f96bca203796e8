#pragma once
// A declared page with three more kinds of row that a declaration alone cannot express:
// - a combo whose items are literal texts (numbers, angles, times) instead of language texts; the
//   row's declaration still decides the commit (a choice row through its table, a text row
//   through the setter with its refusal message);
// - an identifier row that edits either an identifier or a telephone number, as its type setting
//   says ("tel": the number, up to 31 of "0123456789#*", stored without a check; "all": blank and
//   read-only; otherwise the identifier, 5 digits, through the setter, shown as stored);
// - a message row that chooses one of the ten fixed messages by its current text.
// Extra rows are shown after the declared rows on every refresh and after every commit.
#include <QStringList>
#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "gui/editor/list_view_base.h"

class CListViewExtraRows : public CListViewBase {
    Q_OBJECT
  public:
    using CListViewBase::CListViewBase;
    void RefreshFromDocument() override;

    using Condition = std::function<bool(const CTalveroDoc& doc)>;

    struct IdentifierRow {
        std::u16string typeKey;    // "indi", "group", "talkgrp", "all" or "tel"
        std::u16string idKey;      // "%05u", 1–60000 (or as the setting's rule says)
        std::u16string numberKey;  // telephone number, stored as typed
        uint32_t errorId = 0;      // formatted with 1 and 60000
        Condition enabledWhen;     // besides the type not being "all"; none: always
    };

    struct MessageRow {
        std::u16string key;  // message number 1–10
        Condition enabledWhen;
    };

    // "first" to "last", written "%d".
    static QStringList NumberItems(int first, int last);

  protected:
    // The declared row `row` opens a combo of these items.
    void SetComboItems(int row, QStringList items);
    // The declared row `row` (a text row with the identifier's key and help page) is an identifier row.
    void SetIdentifierRow(int row, IdentifierRow declaration);
    // The declared row `row` (a choice row of "combobox_temp") is a message row.
    void SetMessageRow(int row, MessageRow declaration);
    // Adds "first" to "last" to `table`, each number as its own text.
    void AddNumberTexts(const QString& table, int first, int last);

    QWidget* CreateCellEditor(int row, int column, int left, int top, int right, int bottom,
                              const QString& text) override;
    void OnEndCellEdit(KEndEditRecord& record) override;

  private:
    void ShowExtraRows();
    void ShowIdentifierRow(int row, const IdentifierRow& declaration);
    void ShowMessageRow(int row, const MessageRow& declaration);
    void CommitIdentifier(const IdentifierRow& declaration, const QString& text);
    // "% 2u : %s" of message n, or empty when n is not 1–10.
    QString MessageLine(const std::u16string& number) const;

    std::map<int, QStringList> m_comboItems;
    std::map<int, IdentifierRow> m_identifierRows;
    std::map<int, MessageRow> m_messageRows;
};
