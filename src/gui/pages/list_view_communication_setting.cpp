#include "gui/pages/list_view_communication_setting.h"

#include "document/talvero_doc.h"
#include "gui/editor/k_grid_list_ctrl_combo.h"
#include "gui/pages/page_text.h"

namespace {

enum Row { kLteDown = 4, kLteUp, kWlanDown, kWlanUp, kMonitorTime, kIntervalSwitch, kInterval };
constexpr uint32_t kNoSwitch = 9188;
const QString kLineSection = QStringLiteral("LINE_SECTION");

// The signal levels from -`strongest` down to -`weakest`, each shown as itself.
QStringList Levels(int strongest, int weakest) {
    QStringList levels;
    for (int n = strongest; n <= weakest; ++n) {
        levels << QString::number(-n);
    }
    return levels;
}

}  // namespace

CListViewCommunicationSetting::CListViewCommunicationSetting(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    const std::vector<PageChoice> onOff = {{u"off", 2500}, {u"on", 2501}};
    PageRow interval = TextRow(9168, u"bg_interval", "bg_interval.htm", 9189);
    interval.maxChars = 4;
    interval.allowedChars = kDigitChars;
    interval.asciiOnly = true;
    interval.enabledWhen = [](const CTalveroDoc& doc, int) { return doc.Get(u"bg_interval_sw") == u"on"; };
    // The levels to return and the check time are stored as chosen and shown as stored, so they
    // are text rows with a combo of their texts (below).
    DeclareRows(
        9150,
        {SectionRow(9151), ChoiceRow(9152, u"mode", "mode.htm", {{u"half", 9154}, {u"full", 9153}}),
         SectionRow(9161),
         ChoiceRow(9162, u"active_line", "active_line.htm",
                   {{u"lte_only", 9184}, {u"wlan_only", 9185}, {u"lte_auto", 9186}, {u"wlan_auto", 9187}}),
         ChoiceRow(9163, u"lte_down_thresh", "lte_down_thresh.htm", {{u"0", kNoSwitch}}, u"LINE_SECTION"),
         TextRow(9164, u"lte_up_thresh", "lte_up_thresh.htm"),
         ChoiceRow(9165, u"wlan_down_thresh", "wlan_down_thresh.htm", {{u"0", kNoSwitch}}, u"LINE_SECTION"),
         TextRow(9166, u"wlan_up_thresh", "wlan_up_thresh.htm"),
         TextRow(9167, u"monitor_time", "monitor_time.htm"),
         ChoiceRow(9169, u"bg_interval_sw", "bg_interval_sw.htm", onOff), interval});
    // Every level of either line shows as its number, so a level from the other line's range is
    // not hidden.
    for (const QString& level : Levels(3, 130)) {
        AddValueText(level, level, kLineSection);
    }
    SetColumnWidth(0, 360);
}

QWidget* CListViewCommunicationSetting::CreateCellEditor(int row, int column, int left, int top, int right,
                                                         int bottom, const QString& text) {
    QStringList items;
    switch (column == 1 ? row : -1) {
        case kLteDown:
            items << PageText(kNoSwitch) << Levels(3, 20);
            break;
        case kLteUp:
            items << Levels(3, 20);
            break;
        case kWlanDown:
            items << PageText(kNoSwitch) << Levels(10, 130);
            break;
        case kWlanUp:
            items << Levels(10, 130);
            break;
        case kMonitorTime:
            for (int seconds = 1; seconds <= 60; ++seconds) {
                items << QString::number(seconds);
            }
            break;
        default:
            return CListViewBase::CreateCellEditor(row, column, left, top, right, bottom, text);
    }
    return new KGridListCtrlCombo(this, row, column, left, top, right, bottom, items, text);
}

TALVERO_REGISTER_PAGE(1031, CListViewCommunicationSetting);
