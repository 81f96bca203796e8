#include "pages/page_list.h"

PageDeclaration SecurityPassPage() {
    PageRow password = TextRow(9292, u"access_pass", {});
    password.kind = PageRow::Kind::kPassword;
    // The radio takes printable ASCII only, typed without an input method.
    password.adjust = [](TextRowRule& rule) {
        rule.allowedChars = PrintableAsciiChars();
        rule.asciiOnly = true;
    };
    return RowsPage(1035, 9290, {SectionRow(9291), password});
}
