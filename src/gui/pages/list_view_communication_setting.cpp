#include "gui/pages/list_view_communication_setting.h"

#include "pages/page_declaration.h"

namespace {
// The levels of both lines, from the strongest of the LTE line to the weakest of the wireless LAN.
constexpr int kStrongestLevel = 3, kWeakestLevel = 130;
}  // namespace

CListViewCommunicationSetting::CListViewCommunicationSetting(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(1031));
    // Every level of either line shows as its number, so a level from the other line's range is
    // not hidden.
    for (int n = kStrongestLevel; n <= kWeakestLevel; ++n) {
        const QString level = QString::number(-n);
        AddValueText(level, level, QStringLiteral("LINE_SECTION"));
    }
}

TALVERO_REGISTER_PAGE(1031, CListViewCommunicationSetting);
