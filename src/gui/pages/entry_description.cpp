#include "gui/pages/entry_description.h"

#include "document/talvero_doc.h"
#include "gui/pages/page_text.h"

namespace {
constexpr unsigned kEntries = 500;
}

QString EntryDescription(const CTalveroDoc& doc, unsigned n) {
    if (n == 0) {
        return PageText(2531);
    }
    if (n > kEntries) {
        return PageText(2584, {n});
    }
    const unsigned index = n - 1;
    const std::u16string& type = doc.Get(u"id_type", index);
    const std::u16string& name = doc.Get(u"name", index);
    if (type == u"indi") {
        return PageText(2581, {n, name, doc.Get(u"id", index)});
    }
    if (type == u"group") {
        return PageText(2580, {n, name, doc.Get(u"id", index)});
    }
    if (type == u"user_group") {
        return PageText(2582, {n, name, doc.Get(u"id", index)});
    }
    if (type == u"tel") {
        return PageText(2583, {n, name, doc.Get(u"number", index)});
    }
    return PageText(2584, {n});
}
