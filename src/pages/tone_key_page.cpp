#include "document/talvero_doc.h"
#include "pages/page_list.h"
#include "pages/page_rows.h"

namespace {
bool ToneOn(const CTalveroDoc& doc) {
    return doc.Get(u"key_tone") != u"none";
}
}  // namespace

PageDeclaration ToneKeyPage() {
    return RowsPage(1030, 9100,
                    {SectionRow(9101), KeyChoiceRow(9102, u"key_tone", {{u"none", 2500}, {u"tone1", 2501}}),
                     When(ValueChoiceRow(9103, u"key_tone_gain", {}, NumberChoices(0, 32)), ToneOn),
                     When(OffOnRow(9104, u"key_tone_gain_link"), ToneOn)});
}
