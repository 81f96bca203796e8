// The page framework on a small declared page: refresh and dependency rules, choice and typed
// commits (normalised and refused), copy, help navigation and the value tables.
#include <QAbstractItemView>
#include <QClipboard>
#include <QMimeData>
#include <QTest>

#include "document/talvero_doc.h"
#include "editor_tests.h"
#include "gui/editor/k_grid_list_ctrl_combo.h"
#include "gui/editor/list_view_base.h"
#include "gui/shell/user_prompts.h"
#include "platform/code_page.h"
#include "text/language_texts.h"

namespace {

enum : uint32_t { kTitle = 9001, kSection, kTypeLabel, kIdLabel, kAll, kGroup, kIndi, kRange = 3030 };
enum { kSectionRow = 0, kTypeRow = 1, kIdRow = 2 };

class RecordingPrompts : public IUserPrompts {
  public:
    RecordingPrompts() { SetUserPrompts(this); }
    ~RecordingPrompts() override { SetUserPrompts(nullptr); }
    Answer Message(QWidget*, const QString& text, Icon icon, Buttons) override {
        messages << text;
        icons.push_back(icon);
        return Answer::Ok;
    }
    QString OpenFileName(QWidget*, const QString&, const QString&) override { return {}; }
    QString SaveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    int ExecDialog(QDialog*) override { return 0; }
    QStringList messages;
    std::vector<Icon> icons;
};

class DemoPage : public CListViewBase {
  public:
    DemoPage(QWidget* parent, const PageContext& context) : CListViewBase(parent, context) {
        // Digits only, at most five, and the range as the message's arguments: all from the
        // setting's catalogue rule.
        PageRow id = TextRow(kIdLabel, u"def_id", "def_id.htm", kRange);
        id.enabledWhen = [](const CTalveroDoc& doc, int) { return doc.Get(u"def_id_type") != u"all"; };
        PageRow type = ChoiceRow(kTypeLabel, u"def_id_type", "def_id_type.htm",
                                 {{u"all", kAll}, {u"group", kGroup}, {u"indi", kIndi}});
        PageRow section = SectionRow(kSection);
        DeclareRows(kTitle, {section, type, id});
    }
};

// Offers only two of the setting's three values.
class PartialChoicePage : public CListViewBase {
  public:
    PartialChoicePage(QWidget* parent, const PageContext& context) : CListViewBase(parent, context) {
        DeclareRows(kTitle, {SectionRow(kSection), ChoiceRow(kTypeLabel, u"def_id_type", "",
                                                             {{u"all", kAll}, {u"group", kGroup}})});
    }
};

struct PageFixture {
    CTalveroDoc doc;
    RecordingPrompts prompts;
    QStringList help;
    std::unique_ptr<DemoPage> page;

    PageFixture() {
        for (auto [id, text] : std::initializer_list<std::pair<uint32_t, const char16_t*>>{
                 {kTitle, u"Unit"},
                 {kSection, u"Calling"},
                 {kTypeLabel, u"Call type"},
                 {kIdLabel, u"Own ID"},
                 {kAll, u"All"},
                 {kGroup, u"Group"},
                 {kIndi, u"Individual"},
                 {kRange, u"Enter a number from %u to %u."}}) {
            SetLanguageText(id, text);
        }
        PageContext context;
        context.document = &doc;
        context.helpFilePath = "/opt/talvero/talvero.chm";
        context.navigateHelp = [this](const QString& address) { help << address; };
        page = std::make_unique<DemoPage>(nullptr, context);
        page->SetSetIndex(0);
        page->SetupHeader();
        page->resize(600, 300);
        page->RefreshFromDocument();
        page->show();
        page->activateWindow();
        (void)QTest::qWaitForWindowActive(page.get());
        page->setFocus();
    }

    QPoint Cell(int row, int column) {
        std::vector<QRect> rects;
        page->GetColumnRects(row, &rects);
        return rects.at(column).center();
    }

    void TypeInto(int row, const QString& text) {
        QTest::mouseDClick(page->viewport(), Qt::LeftButton, {}, Cell(row, 1));
        QWidget* editor = page->GetEditor();
        QVERIFY(editor != nullptr);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
    }
};

}  // namespace

class PageFrameworkTest : public QObject {
    Q_OBJECT
  private slots:
    void layoutAndRefresh();
    void choiceCommitAppliesRule();
    void typedCommitNormalisedOrRefused();
    void editEndingOnALockedRowStoresNothing();
    void copyCell();
    void helpFollowsSelection();
    void valueTables();
    void valueMissingFromTable();
};

void PageFrameworkTest::layoutAndRefresh() {
    PageFixture f;
    QCOMPARE(f.page->GetHeaderCtrl()->GetItemText(0), QString("Unit"));
    QCOMPARE(f.page->GetItemText(kSectionRow, 0), QString("Calling"));
    QCOMPARE(f.page->GetItemText(kTypeRow, 0), QString("Call type"));
    QCOMPARE(f.page->GetItemText(kTypeRow, 1), QString("All"));
    QVERIFY(!f.page->IsCellEditable(kTypeRow, 0));
    QVERIFY(f.page->IsCellEditable(kTypeRow, 1));
    // "all": the ID row is blank and disabled.
    QCOMPARE(f.page->GetItemText(kIdRow, 1), QString());
    QVERIFY(!f.page->IsCellEditable(kIdRow, 1));
    // Hint 16 (after a load) refreshes every cell from the document.
    QVERIFY(f.doc.Set(u"def_id_type", u"indi"));
    QVERIFY(f.doc.Set(u"def_id", u"42"));
    QCOMPARE(f.page->GetItemText(kTypeRow, 1), QString("All"));  // cells are only a view
    f.page->OnDocumentUpdate(kHintLoaded);
    QCOMPARE(f.page->GetItemText(kTypeRow, 1), QString("Individual"));
    QCOMPARE(f.page->GetItemText(kIdRow, 1), QString("00042"));
    QVERIFY(f.page->IsCellEditable(kIdRow, 1));
}

void PageFrameworkTest::choiceCommitAppliesRule() {
    PageFixture f;
    QTest::mouseDClick(f.page->viewport(), Qt::LeftButton, {}, f.Cell(kTypeRow, 1));
    auto* combo = qobject_cast<KGridListCtrlCombo*>(f.page->GetEditor());
    QVERIFY(combo != nullptr);
    QCOMPARE(combo->currentText(), QString("All"));
    QTest::keyClick(combo->view(), Qt::Key_Down);
    QTest::keyClick(combo->view(), Qt::Key_Return);
    QVERIFY(QTest::qWaitFor([&] { return f.page->GetEditor() == nullptr; }, 2000));
    QCOMPARE(f.doc.Get(u"def_id_type"), std::u16string(u"group"));
    QVERIFY(f.doc.IsModified());
    QCOMPARE(f.page->GetItemText(kTypeRow, 1), QString("Group"));
    // The dependent row follows at once.
    QVERIFY(f.page->IsCellEditable(kIdRow, 1));
    QCOMPARE(f.page->GetItemText(kIdRow, 1), QString("00001"));
}

void PageFrameworkTest::typedCommitNormalisedOrRefused() {
    PageFixture f;
    f.doc.Set(u"def_id_type", u"group");
    f.page->RefreshFromDocument();
    f.TypeInto(kIdRow, "7");
    QCOMPARE(f.doc.Get(u"def_id"), std::u16string(u"00007"));
    QCOMPARE(f.page->GetItemText(kIdRow, 1), QString("00007"));
    QVERIFY(f.prompts.messages.isEmpty());
    // Out of range: the row's message, and the old identifier stays in cell and document.
    f.TypeInto(kIdRow, "60001");
    QCOMPARE(f.prompts.messages, QStringList{"Enter a number from 1 to 60000."});
    QVERIFY(f.prompts.icons.at(0) == IUserPrompts::Icon::Stop);
    QCOMPARE(f.doc.Get(u"def_id"), std::u16string(u"00007"));
    QCOMPARE(f.page->GetItemText(kIdRow, 1), QString("00007"));
    // Letters never reach the setter: the field drops them.
    f.TypeInto(kIdRow, "1x2");
    QCOMPARE(f.doc.Get(u"def_id"), std::u16string(u"00012"));
}

void PageFrameworkTest::editEndingOnALockedRowStoresNothing() {
    PageFixture f;
    f.doc.Set(u"def_id_type", u"group");
    f.page->RefreshFromDocument();
    QTest::mouseDClick(f.page->viewport(), Qt::LeftButton, {}, f.Cell(kIdRow, 1));
    QWidget* editor = f.page->GetEditor();
    QVERIFY(editor != nullptr);
    QTest::keyClicks(editor, "42");
    // The rule locks the row while its editor is open (another window changed the type).
    f.doc.Set(u"def_id_type", u"all");
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(f.doc.Get(u"def_id"), std::u16string(u"00001"));
    QVERIFY(f.prompts.messages.isEmpty());
    QCOMPARE(f.page->GetItemText(kIdRow, 1), QString());
    QVERIFY(!f.page->IsCellEditable(kIdRow, 1));
}

void PageFrameworkTest::copyCell() {
    PageFixture f;
    auto copyFrom = [&](int row, int column) {
        QApplication::clipboard()->setText("untouched");
        QTest::mouseClick(f.page->viewport(), Qt::LeftButton, {}, f.Cell(row, column));
        QTest::keyClick(f.page.get(), Qt::Key_C, Qt::ControlModifier);
        QCoreApplication::processEvents();
        return QApplication::clipboard()->text();
    };
    // A click on a label, a section or a disabled cell leaves the nearest editable cell current:
    // that is what is copied.
    QCOMPARE(copyFrom(kTypeRow, 0), QString("All"));
    QCOMPARE(copyFrom(kSectionRow, 0), QString("All"));
    QCOMPARE(copyFrom(kIdRow, 1), QString("All"));
    // A current cell the rules disable (another window changed the type) copies nothing.
    f.doc.Set(u"def_id_type", u"group");
    f.page->RefreshFromDocument();
    QTest::mouseClick(f.page->viewport(), Qt::LeftButton, {}, f.Cell(kIdRow, 1));
    QCOMPARE(f.page->GetFocusedRow(), int(kIdRow));
    f.doc.Set(u"def_id_type", u"all");
    f.page->RefreshFromDocument();
    QApplication::clipboard()->setText("untouched");
    QTest::keyClick(f.page.get(), Qt::Key_C, Qt::ControlModifier);
    QCoreApplication::processEvents();
    QCOMPARE(QApplication::clipboard()->text(), QString("untouched"));
    QCOMPARE(copyFrom(kTypeRow, 1), QString("All"));
    const QMimeData* data = QApplication::clipboard()->mimeData();
    const QString ansiFormat = "text/plain;charset=" + QString::fromStdString(AnsiCodePageName());
    QVERIFY(data->hasFormat(ansiFormat));
    QCOMPARE(data->data(ansiFormat), QByteArray("All"));
}

void PageFrameworkTest::helpFollowsSelection() {
    PageFixture f;
    QTest::mouseClick(f.page->viewport(), Qt::LeftButton, {}, f.Cell(kTypeRow, 1));
    QCOMPARE(f.help.last(), QString("mk:@MSITStore:/opt/talvero/talvero.chm::/def_id_type.htm"));
    QCOMPARE(f.page->CurrentHelpAddress(), f.help.last());
    // A click on the section leaves the type row current, its help shown throughout.
    const auto shown = f.help.size();
    QTest::mouseClick(f.page->viewport(), Qt::LeftButton, {}, f.Cell(kSectionRow, 0));
    QCOMPARE(f.help.size(), shown);
    QCOMPARE(f.page->GetFocusedRow(), int(kTypeRow));
    f.page->MoveToRow(kSectionRow);
    QCOMPARE(f.help.last(), QString());  // a row without help shows a blank page
    // The keyboard selects rows as a click does.
    f.doc.Set(u"def_id_type", u"group");
    f.page->RefreshFromDocument();
    QTest::mouseClick(f.page->viewport(), Qt::LeftButton, {}, f.Cell(kTypeRow, 1));
    QTest::keyClick(f.page.get(), Qt::Key_Down);
    QCOMPARE(f.page->GetFocusedRow(), int(kIdRow));
    QCOMPARE(f.help.last(), QString("mk:@MSITStore:/opt/talvero/talvero.chm::/def_id.htm"));
    // Help per column: the key is the current column.
    f.page->m_helpMode = 2;
    f.page->SetHelpPage(CListViewBase::ColumnHelpKey(1), "column1.htm");
    QTest::mouseClick(f.page->viewport(), Qt::LeftButton, {}, f.Cell(kTypeRow, 1));
    QCOMPARE(f.help.last(), QString("mk:@MSITStore:/opt/talvero/talvero.chm::/column1.htm"));
}

void PageFrameworkTest::valueTables() {
    PageFixture f;
    CListViewBase& page = *f.page;
    page.AddValueText("on", "On", "t");
    page.AddValueText("on", "Enabled", "t");  // same value: the text is replaced
    QCOMPARE(page.ValueToText("on", "t"), QString("Enabled"));
    page.AddValueText("yes", "Enabled", "t");  // same text: the newest value wins backwards
    QCOMPARE(page.TextToValue("Enabled", "t"), QString("yes"));
    QCOMPARE(page.ValueToText("off", "t"), QString());
    QCOMPARE(page.ValueToText("on", "missing"), QString());
    page.AddValueText("5", "Five", "combobox_temp");
    page.ClearTempTable();
    QCOMPARE(page.TextToValue("Five", "combobox_temp"), QString());
}

void PageFrameworkTest::valueMissingFromTable() {
    PageFixture f;  // texts and prompts
    QVERIFY(f.doc.Set(u"def_id_type", u"indi"));
    PageContext context;
    context.document = &f.doc;
    PartialChoicePage page(nullptr, context);
    page.SetupHeader();
    page.resize(600, 200);
    page.RefreshFromDocument();
    page.show();
    QCOMPARE(page.GetItemText(kTypeRow, 1), QString());
    std::vector<QRect> rects;
    page.GetColumnRects(kTypeRow, &rects);
    QTest::mouseDClick(page.viewport(), Qt::LeftButton, {}, rects[1].center());
    auto* combo = qobject_cast<KGridListCtrlCombo*>(page.GetEditor());
    QVERIFY(combo != nullptr);
    QCOMPARE(combo->currentIndex(), -1);
    // Closing without a choice commits nothing.
    combo->hidePopup();
    QVERIFY(QTest::qWaitFor([&] { return page.GetEditor() == nullptr; }, 2000));
    QCOMPARE(f.doc.Get(u"def_id_type"), std::u16string(u"indi"));
}

static EditorTestRegistration<PageFrameworkTest> registration;
#include "page_framework_test.moc"
