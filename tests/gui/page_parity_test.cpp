// One answer on every path: for every editable row of every page declared in the core, a corpus of
// values per kind of row (over the limit, characters the radio cannot display, emoji, control
// characters, printable edges, number edges, values a combo does not list) is given once through
// the program's page, typed or chosen as a user would, and once through SetThroughPage, the
// function talvero-cli set and the fleet store through. Both must accept or refuse alike, with the
// same message, and leave the setting holding the same value.
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <set>

#include "document/settings_catalogue.h"
#include "document/talvero_doc.h"
#include "gui/editor/k_grid_list_ctrl_combo.h"
#include "gui_support.h"
#include "gui_tests.h"
#include "page_under_test.h"
#include "pages/page_declaration.h"
#include "pages/page_rule_check.h"
#include "platform/unicode.h"
#include "text/language_texts.h"

namespace {

constexpr uint32_t kSetModeNode = 1036;

// Every setting with a value list set to its last value: what most rows depending on another one
// need to be open ("on", "tel", ...).
void OpenDependentRows(CTalveroDoc& doc) {
    for (const SettingDef& def : SettingsCatalogue()) {
        if (def.rule.kind == RuleKind::OneOf && !def.rule.choices.empty() && def.family != Family::Info) {
            for (unsigned i = 0; i < FamilyCount(def.family); ++i) {
                doc.Set(CTalveroDoc::Id(def.name, i), def.rule.choices.back());
            }
        }
    }
}

std::u16string Repeat(char16_t c, int n) {
    return std::u16string(static_cast<size_t>(std::max(n, 0)), c);
}

// The values a text row is given: its limits from both sides, then what no limit should let by.
std::vector<std::u16string> TextCorpus(const TextRowRule& rule) {
    // Line breaks and control characters cannot reach a one-line editor; the command line's test
    // gives them.
    const char16_t fill = rule.allowedChars.empty() ? u'a' : rule.allowedChars.front();
    std::vector<std::u16string> values = {u"Z\u00fcrich", u"Truck\U0001F600", u"Caf\u00e9", u" ",
                                          u"~",           u"\u30A2\u30A4",    u""};
    for (int limit : {rule.maxChars, rule.maxWidth, rule.maxAnsiBytes, rule.maxUtf8Bytes}) {
        if (limit > 0) {
            values.push_back(Repeat(fill, limit));
            values.push_back(Repeat(fill, limit + 1));
        }
    }
    if (rule.errorArgs.size() == 2) {
        for (int64_t n :
             {rule.errorArgs[0] - 1, rule.errorArgs[0], rule.errorArgs[1], rule.errorArgs[1] + 1}) {
            values.push_back(Utf8ToUtf16(std::to_string(n)));
        }
    }
    return values;
}

struct Cell {
    int row = 0, column = 1;
    unsigned member = 0;
    const PageRow* decl = nullptr;
};

std::vector<Cell> EditableCells(const PageDeclaration& page) {
    std::vector<Cell> cells;
    auto editable = [](const PageRow& row) {
        return row.kind != PageRow::Kind::kSection && !row.readOnly && !row.key.empty();
    };
    if (page.table) {
        // The first and the last member: a rule that depends on the entry shows at either end.
        for (unsigned member : {0u, page.table->members - 1}) {
            for (size_t c = 0; c < page.table->columns.size(); ++c) {
                const PageRow& cell = page.table->columns[c].cell;
                if (editable(cell)) {
                    cells.push_back(
                        {kTableFirstRow + static_cast<int>(member), static_cast<int>(c) + 1, member, &cell});
                }
            }
        }
        return cells;
    }
    for (size_t r = 0; r < page.rows.size(); ++r) {
        if (editable(page.rows[r])) {
            cells.push_back({static_cast<int>(r), 1, page.rows[r].member, &page.rows[r]});
        }
    }
    return cells;
}

// The setting a cell edits now: the number half of an identifier row while its type is "tel".
SettingId EditedSetting(const CTalveroDoc& doc, const Cell& cell) {
    const PageRow& row = *cell.decl;
    const bool number =
        row.kind == PageRow::Kind::kIdentifierOrNumber && doc.Get(row.typeKey, cell.member) == u"tel";
    return CTalveroDoc::Id(number ? row.numberKey : row.key, cell.member);
}

}  // namespace

class PageParityTest : public QObject {
    Q_OBJECT
  private slots:
    void everyRowAnswersAsTheCommandLineAndTheFleet();
};

void PageParityTest::everyRowAnswersAsTheCommandLineAndTheFleet() {
    TestEnvironment environment;
    UseLanguage(true);
    size_t compared = 0, pages = 0;
    std::set<std::u16string> rowsCompared;
    for (const RegisteredPage& registered : RegisteredPages()) {
        const PageDeclaration* page = FindPageDeclaration(registered.node);
        // The setting-mode page packs each value into two flag cells of its own layout; its
        // values are the four its flags can make.
        if (!page || registered.node == kSetModeNode) {
            continue;
        }
        ++pages;
        CTalveroDoc doc;
        doc.OnNewDocument();
        ScriptedPrompts prompts;
        // A choice that needs a dialog (the custom channel list) is taken as the dialog opens.
        prompts.onDialog = [](QDialog*) { return int(QDialog::Accepted); };
        RegisteredPageUnderTest t(registered, doc);
        for (const Cell& cell : EditableCells(*page)) {
            const PageRow& decl = *cell.decl;
            for (const bool opened : {false, true}) {
                auto prepare = [opened](CTalveroDoc& d) {
                    d.OnNewDocument();
                    if (opened) {
                        OpenDependentRows(d);
                    }
                    d.SetModifiedFlag(false);
                };
                prepare(doc);
                t.page->RefreshFromDocument();
                if (!t.Editable(cell.row, cell.column)) {
                    continue;  // not open in this flavour
                }
                const bool choice =
                    decl.kind == PageRow::Kind::kChoice || decl.kind == PageRow::Kind::kDocumentChoice;
                std::vector<PageChoice> listed =
                    decl.kind == PageRow::Kind::kDocumentChoice && decl.listChoices ? decl.listChoices(doc)
                                                                                    : decl.choices;
                std::vector<std::u16string> values;
                if (choice) {
                    if (!listed.empty()) {
                        values = {listed.front().value, listed.back().value};
                    }
                    values.push_back(u"zzz");
                    values.push_back(u"");
                } else {
                    values = TextCorpus(RuleNow(decl, doc, cell.member));
                }
                for (const std::u16string& value : values) {
                    prepare(doc);
                    t.page->RefreshFromDocument();
                    prompts.messages.clear();
                    const SettingId id = EditedSetting(doc, cell);
                    const QString context = QStringLiteral("node %1 row %2 column %3 key %4 value '%5'%6")
                                                .arg(registered.node)
                                                .arg(cell.row)
                                                .arg(cell.column)
                                                .arg(QString::fromStdU16String(SettingKey(id)))
                                                .arg(QString::fromStdU16String(value))
                                                .arg(opened ? QStringLiteral(" (rows opened)") : QString());
                    CTalveroDoc other;
                    prepare(other);
                    const PageVerdict verdict = SetThroughPage(other, id, value);
                    if (choice) {
                        const PageChoice* item = nullptr;
                        for (const PageChoice& c : listed) {
                            item = c.value == value ? &c : item;
                        }
                        if (!item) {
                            // The combo cannot offer it: the program cannot store it either.
                            QVERIFY2(!verdict.accepted, qPrintable(context));
                            continue;
                        }
                        const QString text = QString::fromStdU16String(ShownChoiceText(*item));
                        QVERIFY2(t.ComboItems(cell.row, cell.column).contains(text),
                                 qPrintable(context + QStringLiteral(": the combo lacks '%1'").arg(text)));
                        t.Choose(cell.row, cell.column, text);
                    } else {
                        auto* edit = qobject_cast<QLineEdit*>(t.Open(cell.row, cell.column));
                        QVERIFY2(edit, qPrintable(context));
                        // Pasted whole: the commit, not the keyboard filter, decides.
                        edit->setText(QString::fromStdU16String(value));
                        QTest::keyClick(edit, Qt::Key_Return);
                        QVERIFY2(QTest::qWaitFor([&] { return t.grid->GetEditor() == nullptr; }, 2000),
                                 qPrintable(context));
                    }
                    const bool programAccepted = prompts.messages.isEmpty();
                    QVERIFY2(programAccepted == verdict.accepted,
                             qPrintable(context + QStringLiteral(": program %1, shared check %2 (%3)")
                                                      .arg(programAccepted)
                                                      .arg(verdict.accepted)
                                                      .arg(programAccepted
                                                               ? QString::fromStdString(verdict.Message())
                                                               : prompts.messages.join('|'))));
                    if (!verdict.accepted) {
                        const QString expected = QString::fromStdString(verdict.Message());
                        QVERIFY2(prompts.messages.value(0) == expected,
                                 qPrintable(context + QStringLiteral(": program says '%1', shared check '%2'")
                                                          .arg(prompts.messages.value(0), expected)));
                    }
                    QVERIFY2(doc.Get(id) == other.Get(id),
                             qPrintable(context + QStringLiteral(": program stored '%1', shared check '%2'")
                                                      .arg(QString::fromStdU16String(doc.Get(id)),
                                                           QString::fromStdU16String(other.Get(id)))));
                    ++compared;
                    rowsCompared.insert(SettingKey(id));
                }
            }
        }
    }
    qInfo("%zu pages, %zu settings, %zu values compared", pages, rowsCompared.size(), compared);
    QVERIFY(pages > 0);
}

static GuiTestRegistration<PageParityTest> registration;
#include "page_parity_test.moc"
