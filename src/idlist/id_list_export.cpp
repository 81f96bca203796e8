#include "idlist/id_list_export.h"

#include "document/config_file.h"
#include "document/settings_catalogue.h"
#include "document/talvero_doc.h"
#include "idlist/id_list_types.h"
#include "text/language_texts.h"

namespace {

void AppendUtf16Le(std::string& out, std::u16string_view text) {
    for (char16_t c : text) {
        out.push_back(static_cast<char>(c & 0xFF));
        out.push_back(static_cast<char>(c >> 8));
    }
}

// A field in double quotes. Quotes inside are doubled for every field, not only names and
// readings, so that whatever a language file puts into a type text still reads back whole.
void AppendQuoted(std::u16string& line, std::u16string_view value) {
    line += u",\"";
    for (char16_t c : value) {
        line.push_back(c);
        if (c == u'"') {
            line.push_back(u'"');
        }
    }
    line += u'"';
}

}  // namespace

std::string RenderIdListCsv(const CTalveroDoc& doc) {
    std::u16string displayTexts[kIdListTypes.size()];
    for (size_t t = 0; t < kIdListTypes.size(); ++t) {
        displayTexts[t] = GetLanguageText(kIdListTypes[t].textId);
    }
    std::string out = "\xFF\xFE";
    std::u16string line;
    for (unsigned i = 0; i < kIdEntries; ++i) {
        const std::u16string& type = doc.Get(u"id_type", i);
        size_t t = 0;
        while (t < kIdListTypes.size() && kIdListTypes[t].stored != type) {
            ++t;
        }
        if (t == kIdListTypes.size()) {
            continue;  // not in use
        }
        line.clear();
        for (char c : std::to_string(i + 1)) {
            line.push_back(static_cast<char16_t>(c));
        }
        AppendQuoted(line, displayTexts[t]);
        AppendQuoted(line, doc.Get(type == u"tel" ? u"number" : u"id", i));
        AppendQuoted(line, doc.Get(u"name", i));
        AppendQuoted(line, doc.Get(u"yomi", i));
        AppendQuoted(line, doc.Get(u"id_select", i));
        line += u"\r\n";
        AppendUtf16Le(out, line);
    }
    return out;
}

ErrorInfo ExportIdList(const CTalveroDoc& doc, const std::string& path) {
    return WriteFileAtomically(path, RenderIdListCsv(doc));
}
