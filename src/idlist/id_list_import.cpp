#include "idlist/id_list_import.h"

#include <array>
#include <optional>

#include "document/settings_catalogue.h"
#include "document/talvero_doc.h"
#include "document/text_width.h"
#include "document/value_rules.h"
#include "idlist/id_list_types.h"
#include "text/language_texts.h"

namespace {

constexpr std::array<std::u16string_view, 6> kEntryFields = {u"name",   u"id_type", u"id",
                                                             u"number", u"yomi",    u"id_select"};

std::vector<std::u16string> SnapshotIdList(const CTalveroDoc& doc) {
    std::vector<std::u16string> values;
    values.reserve(kIdEntries * kEntryFields.size());
    for (unsigned i = 0; i < kIdEntries; ++i) {
        for (auto field : kEntryFields) {
            values.push_back(doc.Get(field, i));
        }
    }
    return values;
}

// The name as the warning repeats it: its first 64 characters, so that a name of millions of
// characters costs a line, not megabytes.
std::u16string QuotedName(std::u16string_view name) {
    constexpr size_t kMax = 64;
    if (name.size() <= kMax) {
        return std::u16string(name);
    }
    const size_t keep = name[kMax - 1] >= 0xD800 && name[kMax - 1] <= 0xDBFF ? kMax - 1 : kMax;
    return std::u16string(name.substr(0, keep)) + u"\u2026";
}

class RowImporter {
  public:
    RowImporter(CTalveroDoc& doc, std::vector<std::u16string>& warnings) : m_doc(doc), m_warnings(warnings) {
        for (size_t t = 0; t < kIdListTypes.size(); ++t) {
            m_displayTexts[t] = GetLanguageText(kIdListTypes[t].textId);
        }
    }

    unsigned RowsOfEntries() const { return m_rowsOfEntries; }
    std::u16string TypeList() const {
        std::u16string list;
        for (const auto& t : m_displayTexts) {
            list += (list.empty() ? u"\"" : u", \"") + t + u"\"";
        }
        return list;
    }

    void Apply(const CsvRow& row) {
        if (row.size() < 4) {
            return;
        }
        const int32_t number = LeadingNumber(row[0]);
        if (number < 1 || number > static_cast<int32_t>(kIdEntries)) {
            return;
        }
        const std::optional<std::u16string_view> type = StoredType(row[1]);
        if (!type) {
            return;
        }
        const auto n = static_cast<unsigned>(number);
        const unsigned index = n - 1;
        ++m_rowsOfEntries;

        bool ok = true;
        std::optional<std::u16string> warning;
        std::u16string name = row[3];
        if (TextWidth(name) > kIdNameMaxWidth) {
            FitTextWidth(name, kIdNameMaxWidth);
            warning = FormatLanguageText(kTextIdIdNameShortened, {n, QuotedName(row[3]), name});
        }
        if (name.empty() || !m_doc.Set(u"name", index, name)) {
            ok = false;
        }
        m_doc.Set(u"id_type", index, *type);
        if (!m_doc.Set(m_doc.Get(u"id_type", index) == u"tel" ? u"number" : u"id", index, row[2])) {
            ok = false;
        }
        if (!m_doc.Set(u"yomi", index, row.size() > 4 ? std::u16string_view(row[4]) : u"")) {
            ok = false;
        }
        // A refused selection clears the entry as well, and a cleared entry reports no shortened
        // name: only entries that were otherwise accepted are reported.
        if (row.size() > 5 && !row[5].empty() && !m_doc.Set(u"id_select", index, row[5])) {
            ok = false;
        }
        if (!ok) {
            m_doc.ClearIdEntry(index);
        } else if (warning) {
            m_warnings.push_back(std::move(*warning));
        }
    }

  private:
    std::optional<std::u16string_view> StoredType(const std::u16string& displayText) const {
        for (size_t t = 0; t < kIdListTypes.size(); ++t) {
            if (m_displayTexts[t] == displayText) {
                return kIdListTypes[t].stored;
            }
        }
        return std::nullopt;
    }

    CTalveroDoc& m_doc;
    std::vector<std::u16string>& m_warnings;
    std::array<std::u16string, kIdListTypes.size()> m_displayTexts;
    unsigned m_rowsOfEntries = 0;  // rows that passed the row rules
};

enum : uint32_t {
    kTextIdNoEntryRow = 2113,
    kTextIdEntriesTaken = 2114,
    kTextIdNoEntryTaken = 2115,
    kTextIdCsvNul = 2116,
    kTextIdCsvTooLarge = 2117,
    kTextIdCsvNotText = 2118,
};

}  // namespace

std::u16string IdListImportResult::Summary() const {
    return FormatLanguageText(kTextIdEntriesTaken, {taken});
}

IdListImportResult ApplyIdListCsv(CTalveroDoc& doc, std::u16string_view text) {
    IdListImportResult result;
    // The rows go to a scratch list first: only a file that yields entries may replace the list.
    CTalveroDoc scratch;
    scratch.ResetIdList();
    RowImporter importer(scratch, result.warnings);
    ForEachCsvRow(text, [&](const CsvRow& row) { importer.Apply(row); });
    for (unsigned i = 0; i < kIdEntries; ++i) {
        if (!scratch.Get(u"id_type", i).empty()) {
            ++result.taken;
        }
    }
    if (result.taken == 0) {
        result.warnings.clear();
        result.refusal = importer.RowsOfEntries() == 0
                             ? FormatLanguageText(kTextIdNoEntryRow, {importer.TypeList()})
                             : FormatLanguageText(kTextIdNoEntryTaken, {});
        return result;
    }
    const std::vector<std::u16string> before = SnapshotIdList(doc);
    const bool wasModified = doc.IsModified();
    doc.ResetIdList();
    for (unsigned i = 0; i < kIdEntries; ++i) {
        if (scratch.Get(u"id_type", i).empty()) {
            continue;
        }
        // The scratch list's setters accepted these very values, so these setters do too.
        for (auto field : kEntryFields) {
            doc.Set(field, i, scratch.Get(field, i));
        }
    }
    // Clearing entries never marks the document modified, so an import that only removed entries
    // would otherwise leave a changed list that closing the program does not offer to save.
    if (!wasModified && !doc.IsModified() && SnapshotIdList(doc) != before) {
        doc.SetModifiedFlag(true);
    }
    return result;
}

std::u16string DescribeCsvTextFault(const CsvTextFault& fault) {
    switch (fault.kind) {
        case CsvTextFault::Kind::None:
            break;
        case CsvTextFault::Kind::Nul:
            return FormatLanguageText(kTextIdCsvNul, {fault.line});
        case CsvTextFault::Kind::TooLarge:
            return FormatLanguageText(kTextIdCsvTooLarge, {});
        case CsvTextFault::Kind::NotText:
            return FormatLanguageText(kTextIdCsvNotText, {fault.line});
    }
    return {};
}

IdListImportResult ImportIdList(CTalveroDoc& doc, const std::string& path) {
    IdListImportResult result;
    std::u16string text;
    CsvTextFault fault;
    result.code = ReadCsvText(path, text, &fault);
    if (!fault.ok()) {
        result.code = kErrSuccess;
        result.refusal = DescribeCsvTextFault(fault);
    } else if (result.code == kErrSuccess) {
        result = ApplyIdListCsv(doc, text);
    }
    doc.UpdateAllViews(kHintLoaded, &result.warnings);
    return result;
}
