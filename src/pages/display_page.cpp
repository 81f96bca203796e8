#include "document/talvero_doc.h"
#include "pages/page_list.h"

namespace {

constexpr uint32_t kNotDisplayable = 430;

// A text the radio shows: measured in display columns and checked for characters the display
// lacks. The greeting's stored limit counts code units; its editor measures the same number of
// display columns.
PageRow DisplayTextRow(uint32_t labelId, std::u16string key, std::string helpPage) {
    PageRow row = TextRow(labelId, std::move(key), std::move(helpPage), kNotDisplayable);
    row.adjust = [](TextRowRule& rule) {
        if (rule.maxChars != 0) {
            rule.maxWidth = rule.maxChars;
            rule.maxChars = 0;
        }
        rule.jisCheck = true;
    };
    return row;
}

PageRow InhibitRow(uint32_t labelId, std::u16string key, std::string helpPage) {
    return ChoiceRow(labelId, std::move(key), std::move(helpPage), OffOnChoices());
}

}  // namespace

PageDeclaration DisplayPage() {
    PageRow clock = InhibitRow(9239, u"disp_clock", {});
    // With the date on the standby screen the clock is always shown.
    clock.enabledWhen = [](const CTalveroDoc& doc, int) { return doc.Get(u"disp_item") != u"date"; };
    return RowsPage(
        1033, 9200,
        {SectionRow(9201), DisplayTextRow(9242, u"startup_comment", {}),
         ChoiceRow(9202, u"disp_item", {}, {{u"date", 9210}, {u"name", 9211}}),
         DisplayTextRow(9203, u"disp_name", {}),
         ChoiceRow(9204, u"lcd_dest_mode", {},
                   {{u"none", 2500}, {u"tx", 9212}, {u"txrx", 9213}, {u"all", 9214}}),
         InhibitRow(9256, u"keylock_release_vol_act", {}), InhibitRow(9226, u"sw_history", {}),
         ChoiceRow(9222, u"talkgrp_sel", {}, {{u"func", 9224}, {u"idlist", 9225}}),
         InhibitRow(9241, u"simsel", {}), InhibitRow(9259, u"disp_active_line", {}),
         InhibitRow(9255, u"icon_gps", {}), InhibitRow(9257, u"disp_silent_mode", {}), clock,
         ChoiceRow(9205, u"backlight", {}, {{u"off", 9269}, {u"on", 9274}, {u"key", 9270}}),
         ChoiceRow(10344, u"brightness", {}, {{u"dark", 9215}, {u"light", 9216}}),
         ValueChoiceRow(9260, u"contrast", {}, NumberChoices(1, 16)), InhibitRow(9258, u"disp_set_chg", {})});
}
