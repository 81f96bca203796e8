// Looking never changes a value: over every page the program registers and every cell its layout
// makes editable, the editor is opened on stored values of every kind and closed each way a user
// can without typing (Escape, Enter, Tab, a click on another cell, focus going to another window
// and the page being hidden, a combo's list dismissed, the page destroyed while the editor is
// open). The document's file text must stay byte-identical, it must stay unmodified and no
// message may appear.
//
// The stored values come from the settings catalogue, per setting: its default, each value of its
// list, the ends of its number range and one past them, leading zeros, one character over its
// length or width, and a common set of values a radio, another program or an older file may hold
// (non-ASCII, punctuation, a trailing space, the empty text, values a combo does not list). Each
// variant loads a file holding, for every setting, one value of its corpus, through the loader, so
// only what a file can really hold is stored. A second flavour of every variant sets each setting
// with a value list to its last value ("on", "tel", …), which is what most rows depending on
// another one need to be open.
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <iterator>
#include <memory>
#include <set>

#include "document/ini_data.h"
#include "document/settings_catalogue.h"
#include "document/stored_secret.h"
#include "document/talvero_doc.h"
#include "gui/editor/k_grid_list_ctrl_combo.h"
#include "gui/editor/k_grid_list_ctrl_edit.h"
#include "gui_support.h"
#include "gui_tests.h"
#include "page_under_test.h"
#include "pages/page_row.h"

namespace {

// Values every setting is offered besides its own: the ones a radio, another program or an older
// file may hold and a page would not offer or would filter.
// The first ones are those a radio or an older file was seen to hold where a page lost them.
const std::vector<std::u16string> kCommonValues = {
    u"60",   u"40",  u"30", u"0",   u"pässwort", u"+81-90 1234",
    u"180 ", u"owe", u"",   u"007", u"名前ｶﾅ①",  u"a,b;c=d\"e'f<g>&%s"};

std::u16string Decimal(uint64_t n) {
    const std::string s = std::to_string(n);
    return std::u16string(s.begin(), s.end());
}

// The values the corpus holds for one setting: its default, the common values, then its own.
std::vector<std::u16string> Corpus(const SettingDef& def) {
    std::vector<std::u16string> values{std::u16string(def.def)};
    values.insert(values.end(), kCommonValues.begin(), kCommonValues.end());
    const SettingRule& rule = def.rule;
    switch (rule.kind) {
        case RuleKind::OneOf:
            for (std::u16string_view choice : rule.choices) {
                values.emplace_back(choice);
            }
            break;
        case RuleKind::Number:
            values.push_back(Decimal(rule.lo));
            values.push_back(Decimal(rule.hi));
            values.push_back(u"00" + Decimal(rule.lo));
            values.push_back(Decimal(rule.hi + 1));
            if (rule.lo > 0) {
                values.push_back(Decimal(rule.lo - 1));
            }
            break;
        case RuleKind::Width:
        case RuleKind::Length:
            values.push_back(std::u16string(rule.limit, u'W'));
            values.push_back(std::u16string(rule.limit + 1, u'W'));
            values.push_back(std::u16string(rule.limit, u'ａ'));
            break;
        default:
            break;
    }
    return values;
}

size_t VariantCount() {
    // The default, the common values and the five values of a number's range.
    return 1 + kCommonValues.size() + 5;
}

// The file a variant stands for: every member of every setting holds corpus value `variant`
// (wrapping); with `lastChoice`, settings with a value list hold its last value instead.
CIniData VariantFile(size_t variant, bool lastChoice) {
    CIniData file;
    const auto& catalogue = SettingsCatalogue();
    for (size_t d = 0; d < catalogue.size(); ++d) {
        const SettingDef& def = catalogue[d];
        const std::vector<std::u16string> corpus = Corpus(def);
        const unsigned members = FamilyCount(def.family);
        for (unsigned m = 0; m < members; ++m) {
            // Members of a family take neighbouring values, so a page of many members shows many.
            std::u16string value = corpus[(variant + m) % corpus.size()];
            if (lastChoice && def.rule.kind == RuleKind::OneOf && !def.rule.choices.empty()) {
                value = std::u16string(def.rule.choices.back());
            }
            if (def.secretCapacity != 0) {
                // A slot as long as its text (a certificate) is scrambled at the text's length.
                const size_t capacity =
                    def.secretCapacity == kSecretOwnLength ? value.size() : def.secretCapacity;
                value = EncodeStoredSecret(value, capacity);
            }
            file.SetValue(SettingKey(SettingId{static_cast<uint16_t>(d), static_cast<uint16_t>(m)}), value);
        }
    }
    return file;
}

// The keys whose file value is scrambled afresh on every save: compared by what they hold.
const std::set<std::u16string>& SecretKeys() {
    static const std::set<std::u16string> keys = [] {
        std::set<std::u16string> out;
        const auto& catalogue = SettingsCatalogue();
        for (size_t d = 0; d < catalogue.size(); ++d) {
            if (catalogue[d].secretCapacity == 0) {
                continue;
            }
            for (unsigned m = 0; m < FamilyCount(catalogue[d].family); ++m) {
                out.insert(SettingKey(SettingId{static_cast<uint16_t>(d), static_cast<uint16_t>(m)}));
            }
        }
        return out;
    }();
    return keys;
}

std::u16string FileText(const CTalveroDoc& doc) {
    std::vector<std::u16string> lines;
    doc.RenderSettings(lines, true);
    std::u16string text;
    for (const std::u16string& line : lines) {
        const size_t equals = line.find(u'=');
        if (equals != std::u16string::npos && SecretKeys().count(line.substr(0, equals)) != 0) {
            text +=
                line.substr(0, equals + 1) + DecodeStoredSecret(std::u16string_view(line).substr(equals + 1));
        } else {
            text += line;
        }
        text += u'\n';
    }
    return text;
}

// The first line that differs, for the report.
QString FirstDifference(const std::u16string& before, const std::u16string& after) {
    const QStringList a = QString::fromStdU16String(before).split('\n');
    const QStringList b = QString::fromStdU16String(after).split('\n');
    for (qsizetype i = 0; i < std::max(a.size(), b.size()); ++i) {
        const QString x = i < a.size() ? a[i] : QString();
        const QString y = i < b.size() ? b[i] : QString();
        if (x != y) {
            return QStringLiteral("'%1' -> '%2'").arg(x, y);
        }
    }
    return QStringLiteral("(same text)");
}

enum class Way { kEscape, kEnter, kTab, kClickOtherCell, kDismiss, kPageSwitch };
const char* WayName(Way way) {
    switch (way) {
        case Way::kEscape:
            return "Escape";
        case Way::kEnter:
            return "Enter";
        case Way::kTab:
            return "Tab";
        case Way::kClickOtherCell:
            return "click on another cell";
        case Way::kDismiss:
            return "list dismissed";
        case Way::kPageSwitch:
            return "page switch";
    }
    return "";
}

// Table pages of hundreds of members repeat one declaration per member: the first members, the
// last two and one that moves with the variant stand for them all. Every row of any other page
// (the WLAN profiles included) is walked.
std::vector<int> RowsToWalk(const KGridListView& grid, size_t variant) {
    const int rows = grid.GetItemCount();
    constexpr int kWholePage = 250;
    std::vector<int> walk;
    if (rows <= kWholePage) {
        for (int row = 0; row < rows; ++row) {
            walk.push_back(row);
        }
        return walk;
    }
    const int moving =
        kTableFirstRow + static_cast<int>(variant * 37 % static_cast<size_t>(rows - kTableFirstRow));
    const std::set<int> picked = {0, 1, 2, 3, 4, moving, rows - 2, rows - 1};
    return {picked.begin(), picked.end()};
}

class Walk {
  public:
    Walk(const RegisteredPage& registered, CTalveroDoc& doc, ScriptedPrompts& prompts, QWidget& elsewhere,
         QStringList& failures)
        : m_registered(registered),
          m_doc(doc),
          m_prompts(prompts),
          m_elsewhere(elsewhere),
          m_failures(failures) {}

    // Every way over every editable cell of the page, for one stored variant.
    void Run(const CIniData& file, const QString& variant) {
        m_file = &file;
        m_variant = variant;
        Reload();
        auto page = std::make_unique<RegisteredPageUnderTest>(m_registered, m_doc);
        const std::vector<int> rows = RowsToWalk(*page->grid, m_variantIndex);
        int lastRow = -1, lastColumn = -1;
        for (int row : rows) {
            for (int column = 1; column < page->grid->GetColumnCount(); ++column) {
                if (!page->grid->IsCellEditable(row, column)) {
                    continue;
                }
                lastRow = row;
                lastColumn = column;
                for (Way way : WaysFor(row, column)) {
                    if (!page->grid->IsCellEditable(row, column)) {
                        break;  // a failed close before changed the page: said already
                    }
                    Close(*page, row, column, way);
                }
            }
        }
        // The window closing with the editor open: the page goes, its editor with it, unreported.
        if (lastRow >= 0 && page->Open(lastRow, lastColumn) != nullptr) {
            page.reset();
            Check(lastRow, lastColumn, "window closed");
        }
    }

    size_t m_variantIndex = 0;

  private:
    // The first variant (every default) is closed every way; each other variant with Escape and
    // one more way that moves with the variant and the cell, so that every cell meets every way
    // over a few variants and every stored value meets at least two ways.
    std::vector<Way> WaysFor(int row, int column) const {
        static const Way kAll[] = {Way::kEscape,         Way::kEnter,   Way::kTab,
                                   Way::kClickOtherCell, Way::kDismiss, Way::kPageSwitch};
        constexpr size_t kWays = std::size(kAll);
        if (m_variantIndex == 0) {
            return {std::begin(kAll), std::end(kAll)};
        }
        const size_t moving = 1 + (m_variantIndex + static_cast<size_t>(row + column)) % (kWays - 1);
        return {Way::kEscape, kAll[moving]};
    }

    void Reload() {
        m_doc.LoadSettings(*m_file, true);
        m_doc.SetModifiedFlag(false);
        m_before = FileText(m_doc);
        m_prompts.messages.clear();
    }

    void Close(RegisteredPageUnderTest& page, int row, int column, Way way) {
        QWidget* editor = page.Open(row, column);
        if (editor == nullptr) {
            Check(row, column, WayName(way));  // a dialog in place of an editor (channel list)
            return;
        }
        auto* combo = qobject_cast<KGridListCtrlCombo*>(editor);
        if (combo != nullptr) {
            switch (way) {
                case Way::kEscape:
                    QTest::keyClick(combo->view(), Qt::Key_Escape);
                    break;
                case Way::kEnter:
                    // Enter takes the highlighted item; without one the list stays open and is
                    // closed with Escape. With the stored item highlighted it is no change.
                    QTest::keyClick(combo->view(), Qt::Key_Return);
                    if (page.grid->GetEditor() != nullptr && combo->view()->isVisible() &&
                        combo->currentIndex() < 0) {
                        QTest::keyClick(combo->view(), Qt::Key_Escape);
                    }
                    break;
                case Way::kTab:
                    if (combo->currentIndex() < 0) {
                        combo->hidePopup();  // Tab would take the highlighted item, a choice
                    } else {
                        QTest::keyClick(combo->view(), Qt::Key_Tab);
                    }
                    break;
                case Way::kDismiss:
                case Way::kPageSwitch:
                    combo->hidePopup();
                    break;
                case Way::kClickOtherCell:
                    QTest::mouseClick(page.grid->viewport(), Qt::LeftButton, {}, OtherCell(page, row));
                    if (page.grid->GetEditor() == combo && combo->view()->isVisible()) {
                        combo->hidePopup();  // the click outside the list closes it
                    }
                    break;
            }
        } else {
            switch (way) {
                case Way::kEscape:
                    QTest::keyClick(editor, Qt::Key_Escape);
                    break;
                case Way::kEnter:
                    QTest::keyClick(editor, Qt::Key_Return);
                    break;
                case Way::kTab:
                    QTest::keyClick(editor, Qt::Key_Tab);
                    break;
                case Way::kClickOtherCell:
                case Way::kDismiss:
                    QTest::mouseClick(page.grid->viewport(), Qt::LeftButton, {}, OtherCell(page, row));
                    break;
                case Way::kPageSwitch:
                    // The tree takes the focus, then the frame hides the page.
                    m_elsewhere.activateWindow();
                    m_elsewhere.setFocus(Qt::MouseFocusReason);
                    page.widget->hide();
                    break;
            }
        }
        // The editor ends on the events the close posted; no clock is read.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (page.grid->GetEditor() != nullptr) {
            m_failures << QStringLiteral("page %1 row %2 column %3: %4 left the editor open")
                              .arg(m_registered.node)
                              .arg(row)
                              .arg(column)
                              .arg(WayName(way));
            delete page.grid->GetEditor();
        }
        if (!page.widget->isVisible()) {
            page.widget->show();
            page.widget->activateWindow();
            page.widget->setFocus();
        }
        Check(row, column, WayName(way));
    }

    // A label cell of another row: clicking it ends the edit without opening another.
    QPoint OtherCell(RegisteredPageUnderTest& page, int row) {
        const int other = row > 0 ? row - 1 : row + 1;
        return page.Cell(std::min(other, page.grid->GetItemCount() - 1), 0);
    }

    void Check(int row, int column, const char* way) {
        const std::u16string after = FileText(m_doc);
        const bool changed = after != m_before;
        if (changed || m_doc.IsModified() || !m_prompts.messages.isEmpty()) {
            m_failures << QStringLiteral("page %1 row %2 column %3, %4, %5: %6%7%8")
                              .arg(m_registered.node)
                              .arg(row)
                              .arg(column)
                              .arg(way, m_variant)
                              .arg(changed ? FirstDifference(m_before, after) : QString())
                              .arg(m_doc.IsModified() ? QStringLiteral(" (modified)") : QString())
                              .arg(m_prompts.messages.isEmpty()
                                       ? QString()
                                       : " message: " + m_prompts.messages.join(" | "));
            Reload();
        }
    }

    const RegisteredPage& m_registered;
    CTalveroDoc& m_doc;
    ScriptedPrompts& m_prompts;
    QWidget& m_elsewhere;
    QStringList& m_failures;
    const CIniData* m_file = nullptr;
    QString m_variant;
    std::u16string m_before;
};

}  // namespace

class LookNeverChangesTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { UseLanguage(true); }
    void closingAnEditorWithoutTypingStoresNothing_data();
    void closingAnEditorWithoutTypingStoresNothing();
};

void LookNeverChangesTest::closingAnEditorWithoutTypingStoresNothing_data() {
    QTest::addColumn<int>("variant");
    QTest::addColumn<bool>("lastChoice");
    // Every value of every corpus is reached once its variant comes; the lists are walked as far
    // as the longest corpus of a setting a page shows as typed text (default, common values and
    // its own limits).
    const int variants = static_cast<int>(VariantCount());
    for (int variant = 0; variant < variants; ++variant) {
        QTest::addRow("variant %d", variant) << variant << false;
        QTest::addRow("variant %d, last choices", variant) << variant << true;
    }
}

void LookNeverChangesTest::closingAnEditorWithoutTypingStoresNothing() {
    QFETCH(int, variant);
    QFETCH(bool, lastChoice);
    CTalveroDoc doc;
    doc.OnNewDocument();
    ScriptedPrompts prompts;
    // Stands for the tree: the window the focus goes to when the user switches pages.
    QLineEdit elsewhere;
    elsewhere.show();
    QStringList failures;
    const std::vector<RegisteredPage> pages = RegisteredPages();
    QVERIFY(pages.size() > 30);
    const CIniData file = VariantFile(static_cast<size_t>(variant), lastChoice);
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    for (const RegisteredPage& registered : pages) {
        Walk walk(registered, doc, prompts, elsewhere, failures);
        walk.m_variantIndex = static_cast<size_t>(variant);
        walk.Run(file, name);
    }
    if (!failures.isEmpty()) {
        const qsizetype shown = std::min<qsizetype>(failures.size(), 400);
        QFAIL(qPrintable(
            QStringLiteral("%1 closes changed the document (first %2):\n").arg(failures.size()).arg(shown) +
            failures.mid(0, shown).join('\n')));
    }
}

static GuiTestRegistration<LookNeverChangesTest> registration;
#include "look_never_changes_test.moc"
