#include "gui/pages/list_view_msg_setting.h"

#include "document/talvero_doc.h"
#include "gui/editor/k_grid_list_ctrl_combo.h"
#include "gui/pages/page_text.h"

namespace {
constexpr int kTopRow = 2;
constexpr unsigned kMessageCount = 10;
const QString kTempTable = QStringLiteral("combobox_temp");
}  // namespace

CListViewMsgSetting::CListViewMsgSetting(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    // The first-message row lists the messages' current texts, so its items are built when it
    // opens rather than declared.
    DeclareRows(8750,
                {SectionRow(8751), ChoiceRow(8752, u"msg_tx", "msg_tx.htm", {{u"off", 2500}, {u"on", 2501}}),
                 ChoiceRow(8753, u"msg_top", "msg_top.htm", {}, u"combobox_temp")});
}

QString CListViewMsgSetting::MessageLine(unsigned n) const {
    return QStringLiteral("%1 : %2").arg(n, 2).arg(QString::fromStdU16String(Doc().Get(u"msg", n - 1)));
}

void CListViewMsgSetting::ShowTopRow() {
    const bool enabled = Doc().Get(u"msg_tx") == u"on";
    bool ok = false;
    const unsigned top = QString::fromStdU16String(Doc().Get(u"msg_top")).toUInt(&ok);
    ShowInputCell(kTopRow, 1, enabled, ok && top >= 1 && top <= kMessageCount ? MessageLine(top) : QString());
}

void CListViewMsgSetting::RefreshFromDocument() {
    CListViewBase::RefreshFromDocument();
    ShowTopRow();
}

QWidget* CListViewMsgSetting::CreateCellEditor(int row, int column, int left, int top, int right, int bottom,
                                               const QString& text) {
    if (row != kTopRow || column != 1) {
        return CListViewBase::CreateCellEditor(row, column, left, top, right, bottom, text);
    }
    ClearTempTable();
    QStringList items;
    for (unsigned n = 1; n <= kMessageCount; ++n) {
        const QString line = MessageLine(n);
        AddValueText(QString::number(n), line, kTempTable);
        items << line;
    }
    return new KGridListCtrlCombo(this, row, column, left, top, right, bottom, items, text);
}

void CListViewMsgSetting::OnEndCellEdit(KEndEditRecord& record) {
    if (record.row != kTopRow || record.column != 1) {
        CListViewBase::OnEndCellEdit(record);
        ShowTopRow();
        return;
    }
    bool ok = false;
    const unsigned n = TextToValue(record.text, kTempTable).toUInt(&ok);
    if (ok && n >= 1 && n <= kMessageCount && Doc().Set(u"msg_top", QString::number(n).toStdU16String())) {
        Doc().SetModifiedFlag();
    }
    ShowTopRow();
}

TALVERO_REGISTER_PAGE(1022, CListViewMsgSetting);
