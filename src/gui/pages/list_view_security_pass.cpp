#include "gui/pages/list_view_security_pass.h"

CListViewSecurityPass::CListViewSecurityPass(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    PageRow password = TextRow(9292, u"access_pass", "access_pass.htm");
    password.kind = PageRow::Kind::kPassword;
    // The radio takes printable ASCII only, typed without an input method.
    password.adjust = [](TextRowRule& rule) {
        rule.allowedChars = PrintableAsciiChars();
        rule.asciiOnly = true;
    };
    DeclareRows(9290, {SectionRow(9291), password});
}

TALVERO_REGISTER_PAGE(1035, CListViewSecurityPass);
