#include "gui/pages/list_view_presence_setting.h"

CListViewPresenceSetting::CListViewPresenceSetting(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclareRows(8850, {SectionRow(8851), ChoiceRow(8852, u"stat_tx", "stat_tx.htm", OffOnChoices())});
}

TALVERO_REGISTER_PAGE(1024, CListViewPresenceSetting);
