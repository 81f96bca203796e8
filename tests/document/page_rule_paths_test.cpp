// The command line's `set` and the fleet store every value through the shared rule check, and say
// its refusal in the same words: for every editable row of every page declared in the core (the
// first member of a table), a corpus of values per kind of row goes through ApplyFleetRowValues
// and through one `talvero-cli set` per corpus position, and each answer is compared with
// SetThroughPage's. The program's own commit is compared with SetThroughPage by the windows' tests.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>

#include "cli_run.h"
#include "document/config_file.h"
#include "document/talvero_doc.h"
#include "fleet/fleet_file.h"
#include "pages/page_declaration.h"
#include "pages/page_rule_check.h"
#include "pages/page_value_text.h"
#include "pages/text_row_rule.h"
#include "platform/unicode.h"
#include "text/language_file.h"
#include "text/language_texts.h"

namespace {

struct Case {
    SettingId id;
    std::vector<std::u16string> values;
};

std::vector<std::u16string> Corpus(const PageRow& row, const CTalveroDoc& doc, unsigned member) {
    if (row.kind == PageRow::Kind::kChoice || row.kind == PageRow::Kind::kDocumentChoice) {
        const std::vector<PageChoice> listed = row.kind == PageRow::Kind::kDocumentChoice && row.listChoices
                                                   ? row.listChoices(doc)
                                                   : row.choices;
        std::vector<std::u16string> values = {u"zzz", u""};
        if (!listed.empty()) {
            values.push_back(listed.back().value);
        }
        return values;
    }
    const TextRowRule rule = RuleNow(row, doc, member);
    const char16_t fill = rule.allowedChars.empty() ? u'a' : rule.allowedChars.front();
    std::vector<std::u16string> values = {u"Z\u00fcrich", u"Truck\U0001F600", u"a\tb", u"~", u""};
    for (int limit : {rule.maxChars, rule.maxWidth, rule.maxAnsiBytes, rule.maxUtf8Bytes}) {
        if (limit > 0) {
            values.push_back(std::u16string(static_cast<size_t>(limit) + 1, fill));
        }
    }
    return values;
}

std::vector<Case> DeclaredCases(const CTalveroDoc& doc) {
    std::vector<Case> cases;
    std::set<std::pair<uint16_t, uint16_t>> seen;
    auto add = [&](const PageRow& row, unsigned member) {
        if (row.kind == PageRow::Kind::kSection || row.readOnly || row.key.empty()) {
            return;
        }
        const SettingId id = CTalveroDoc::Id(row.key, member);
        if (SettingsCatalogue()[id.def].family == Family::Info || !seen.insert({id.def, id.index}).second) {
            return;
        }
        cases.push_back({id, Corpus(row, doc, member)});
    };
    for (const PageDeclaration& page : PageDeclarations()) {
        if (page.table) {
            for (const TableColumn& column : page.table->columns) {
                add(column.cell, 0);
            }
        }
        for (const PageRow& row : page.rows) {
            add(row, row.member);
        }
    }
    return cases;
}

// Shell quoting for one argument.
std::string Quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return out + "'";
}

class PageRulePaths : public CliTest {
  protected:
    void SetUp() override {
        ClearLanguageTexts();
        SelectLanguageFiles(std::string(TALVERO_BIN_DIR) + "/talvero", 0x0409, {});
    }
};

TEST_F(PageRulePaths, FleetRowsAnswerAsTheSharedCheck) {
    CTalveroDoc fresh;
    fresh.OnNewDocument();
    const std::vector<Case> cases = DeclaredCases(fresh);
    ASSERT_FALSE(cases.empty());
    for (const Case& c : cases) {
        for (const std::u16string& value : c.values) {
            CTalveroDoc viaFleet, viaCheck;
            viaFleet.OnNewDocument();
            viaCheck.OnNewDocument();
            FleetRow row;
            row.line = 1;
            row.values = {{c.id, value}};
            FleetProblem problem;
            const bool applied = ApplyFleetRowValues(viaFleet, row, problem);
            const PageVerdict verdict = SetThroughPage(viaCheck, c.id, value);
            const std::string where = Utf16ToUtf8(SettingKey(c.id)) + "='" + Utf16ToUtf8(value) + "'";
            EXPECT_EQ(applied, verdict.accepted) << where;
            if (!applied && !verdict.accepted) {
                EXPECT_EQ(problem.detail, verdict.Message()) << where;
            }
            EXPECT_EQ(viaFleet.Get(c.id), viaCheck.Get(c.id)) << where;
        }
    }
}

TEST_F(PageRulePaths, SetAnswersAsTheSharedCheck) {
    const std::string file = dir + "/a.ini";
    ASSERT_EQ(Cli("new -o " + file).status, 0);
    CTalveroDoc fresh;
    ASSERT_TRUE(OpenConfigurationFile(fresh, file).ok());
    const std::vector<Case> cases = DeclaredCases(fresh);
    size_t longest = 0;
    for (const Case& c : cases) {
        longest = std::max(longest, c.values.size());
    }
    for (size_t position = 0; position < longest; ++position) {
        // One run sets every setting to its corpus value at this position, in page order; the
        // shared check is applied in the same order to the same file.
        CTalveroDoc expected;
        ASSERT_TRUE(OpenConfigurationFile(expected, file).ok());
        std::string args = "set " + file + " -o " + dir + "/b.ini";
        std::map<std::string, std::string> refusals;
        for (const Case& c : cases) {
            if (position >= c.values.size()) {
                continue;
            }
            const std::u16string& value = c.values[position];
            if (value.find(u'\n') != std::u16string::npos) {
                continue;
            }
            const std::string key = Utf16ToUtf8(SettingKey(c.id));
            args += " " + Quoted(key + "=" + Utf16ToUtf8(value));
            if (const PageVerdict verdict = SetThroughPage(expected, c.id, value); !verdict.accepted) {
                refusals[key] = verdict.Message();
            }
        }
        const CliRun run = Cli(args, "TALVERO_LANG=0409");
        EXPECT_EQ(run.status, refusals.empty() ? 0 : 1) << run.err;
        std::map<std::string, std::string> reported;
        size_t start = 0;
        while (start < run.err.size()) {
            const size_t end = run.err.find('\n', start);
            const std::string line = run.err.substr(start, end - start);
            start = end == std::string::npos ? run.err.size() : end + 1;
            const std::string prefix = "talvero-cli: set: ";
            const size_t refused = line.find(" refused: ");
            if (line.rfind(prefix, 0) != 0 || refused == std::string::npos) {
                continue;
            }
            const std::string key = line.substr(prefix.size(), line.find(':', prefix.size()) - prefix.size());
            reported[key] = line.substr(refused + 10);
        }
        EXPECT_EQ(reported, refusals) << "corpus position " << position;
    }
}

// A choice row's values read with the row's own texts: never with the texts of another row on the
// same page that happens to list the same value, and values shown but not offered keep theirs.
TEST_F(PageRulePaths, ChoiceRowsReadTheirValuesWithTheirOwnTexts) {
    struct Shown {
        const char16_t* key;
        const char16_t* value;
        uint32_t textId;  // 0: no text of its own, shown as stored
    };
    const std::vector<Shown> cases = {
        {u"sel_01", u"0", 0},                  // an entry number reads so only on the start row
        {u"opt_key_disc_phone_01", u"40", 0},  // a jitter size only on the jitter row
        {u"ext_afout_01", u"auto", 2590},      // shown, not offered
        {u"opt_key_01", u"emergency", 8970},   // offered on the emergency key only
        {u"opt_emer_01", u"rec_play", 8969},   // a function of older radios
        {u"emer_stationary_moni_time_01", u"0", kTextOff},
        {u"wlan_sec_02", u"owe", 10021},
        {u"backlight_01", u"off", 9269},
        {u"disp_clock_01", u"off", kTextOff},
        // An all call reads as one, never as the "None" of an unset entry.
        {u"opt_key_onetouch_id_type_01", u"all", 2186},
        {u"def_id_type_01", u"all", 2186},
        {u"sub_def_id_type_01", u"all", 2186},
    };
    CTalveroDoc doc;
    doc.OnNewDocument();
    for (const Shown& c : cases) {
        const std::u16string expected =
            c.textId == 0 ? std::u16string(c.value) : GetLanguageText(c.textId) + u" (" + c.value + u")";
        EXPECT_EQ(Utf16ToUtf8(ComparedValue(doc, c.key, c.value)), Utf16ToUtf8(expected))
            << Utf16ToUtf8(c.key);
    }
}

// A row naming a setting the catalogue lacks is a fault of the program: it stops at once, naming
// the setting, instead of giving the row an empty rule that accepts anything.
TEST(PageRuleDeathTest, AnUnknownSettingStopsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(CatalogueTextRule(u"no_such_setting"), "programming error: .*'no_such_setting'");
}

}  // namespace
