// The ID list, message and status pages driven by key and mouse events, with the English texts
// loaded, and the ID list commands of the frame with answered dialogs; and, over every page the
// program registers, the checks every page must pass: no text ID shown in place of a text, every
// help address found in the help file, and edits that survive a save and a reopen.
#include <QAbstractItemView>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QTest>
#include <map>
#include <set>

#include "document/config_file.h"
#include "document/talvero_doc.h"
#include "gui/editor/k_grid_list_ctrl_combo.h"
#include "gui/editor/k_grid_list_ctrl_edit.h"
#include "gui/pages/list_view_address_book_list.h"
#include "gui/pages/list_view_address_book_setting.h"
#include "gui/pages/list_view_msg_list.h"
#include "gui/pages/list_view_msg_setting.h"
#include "gui/pages/list_view_presence_list.h"
#include "gui/pages/list_view_presence_setting.h"
#include "gui/shell/chm_archive.h"
#include "gui/shell/command_table.h"
#include "gui_support.h"
#include "gui_tests.h"
#include "page_under_test.h"
#include "pages/entry_description.h"
#include "pages/page_declaration.h"
#include "text/language_texts.h"

namespace {

std::u16string U(const QString& text) {
    return text.toStdU16String();
}

// ID list page: row 2 shows entry 1 (document index 0).
enum { kType = 1, kNumber, kName, kReading, kSelect };
constexpr int kEntry1 = 2;

void MakeEntry(CTalveroDoc& doc, unsigned index, const char16_t* type, const char16_t* id) {
    doc.Set(u"id_type", index, type);
    doc.Set(u"id", index, id);
    doc.Set(u"name", index, u"Alice");
    doc.Set(u"number", index, u"0123#45");
}

}  // namespace

class PagesTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { UseLanguage(true); }
    void idCellByType();
    void typeChangeReloadsRow();
    void emptyTypeBlanksRow();
    void readingConversion();
    void nameRules();
    void addressBookSettingRules();
    void messageTopListsTenLines();
    void messageAndStatusTexts();
    void noPageShowsTextIds();
    void everyHelpAddressInTheHelpFile();
    void editsSurviveSaveAndReopen();
    void idListExportImportCommands();
    void numberEditOpenWhileTypeCleared();
    void helpPerRowOrColumn();
    void headingRowBold();
    void entryDescriptions();
    void startEntryReadsStoredNumber();
};

void PagesTest::idCellByType() {
    struct Case {
        const char16_t* type;
        QString typed;
        QString shown;      // cell after the edit
        std::u16string id;  // "id" or "number" stored after the edit
        int messages;
    };
    const std::vector<Case> cases = {
        {u"indi", "7", "00007", u"00007", 0},
        {u"group", "60000", "60000", u"60000", 0},
        {u"indi", "70000", "00042", u"00042", 1},  // refused: old value kept in cell and document
        {u"user_group", "0", "00042", u"00042", 1},
        {u"indi", "12a3", "00123", u"00123", 0},  // letters never reach the field
        {u"tel", "0123456789#*0123456789#*0123456789", "0123456789#*0123456789#*0123456",
         u"0123456789#*0123456789#*0123456", 0},  // 31 characters of the dial set
    };
    for (const Case& c : cases) {
        PageUnderTest<CListViewAddressBookList> t(
            [&](CTalveroDoc& doc) { MakeEntry(doc, 0, c.type, u"42"); });
        t.Type(kEntry1, kNumber, c.typed);
        QCOMPARE(t.page->GetItemText(kEntry1, kNumber), c.shown);
        QCOMPARE(t.doc.Get(std::u16string(c.type) == u"tel" ? u"number" : u"id", 0), c.id);
        QCOMPARE(t.prompts.messages.size(), c.messages);
        if (c.messages) {
            QCOMPARE(t.prompts.messages.at(0), QString("Enter an ID from 1 to 60000."));
            QVERIFY(t.prompts.icons.at(0) == IUserPrompts::Icon::Stop);
        }
    }
}

void PagesTest::typeChangeReloadsRow() {
    PageUnderTest<CListViewAddressBookList> t([](CTalveroDoc& doc) { MakeEntry(doc, 0, u"indi", u"42"); });
    QCOMPARE(t.page->GetItemText(kEntry1, kType), T(2535));
    QCOMPARE(t.page->GetItemText(kEntry1, kNumber), QString("00042"));
    t.Choose(kEntry1, kType, T(2539));
    QCOMPARE(t.doc.Get(u"id_type", 0), std::u16string(u"tel"));
    QCOMPARE(t.page->GetItemText(kEntry1, kType), T(2539));
    QCOMPARE(t.page->GetItemText(kEntry1, kNumber), QString("0123#45"));
    t.Type(kEntry1, kNumber, "*99#");
    QCOMPARE(t.doc.Get(u"number", 0), std::u16string(u"*99#"));
    QCOMPARE(t.doc.Get(u"id", 0), std::u16string(u"00042"));
}

void PagesTest::emptyTypeBlanksRow() {
    PageUnderTest<CListViewAddressBookList> t([](CTalveroDoc& doc) {
        MakeEntry(doc, 0, u"group", u"42");
        doc.Set(u"yomi", 0, u"ｱﾘｽ");
    });
    for (int column = kNumber; column <= kSelect; ++column) {
        QVERIFY(t.page->IsCellEditable(kEntry1, column));
    }
    t.Choose(kEntry1, kType, QString());
    QCOMPARE(t.doc.Get(u"id_type", 0), std::u16string());
    for (int column = kNumber; column <= kSelect; ++column) {
        QCOMPARE(t.page->GetItemText(kEntry1, column), QString());
        QVERIFY(!t.page->IsCellEditable(kEntry1, column));
        QVERIFY(t.Open(kEntry1, column) == nullptr);
    }
    // The page leaves the entry's stored fields alone.
    QCOMPARE(t.doc.Get(u"id", 0), std::u16string(u"00042"));
    QCOMPARE(t.doc.Get(u"name", 0), std::u16string(u"Alice"));
    QCOMPARE(t.doc.Get(u"yomi", 0), std::u16string(u"ｱﾘｽ"));
}

void PagesTest::readingConversion() {
    struct Case {
        QString typed;
        std::u16string stored;  // yomi after the edit
        QString message;
    };
    // Within the 32 typed characters, but 34 once the voiced marks are split off.
    const QString tooLong = QString(17, QChar(u'ガ'));
    const std::vector<Case> cases = {
        {QString::fromUtf16(u"ガ"), u"ｶﾞ", {}},
        {QString::fromUtf16(u"ありす ＡＢ１"), u"ｱﾘｽ AB1", {}},
        {QString::fromUtf16(u"ア漢"), u"ｲ", T(8712)},
        {tooLong, u"ｲ", "The reading can be at most 32 characters long."},
    };
    for (const Case& c : cases) {
        PageUnderTest<CListViewAddressBookList> t([](CTalveroDoc& doc) {
            MakeEntry(doc, 0, u"indi", u"1");
            doc.Set(u"yomi", 0, u"ｲ");
        });
        t.Type(kEntry1, kReading, c.typed);
        QCOMPARE(t.doc.Get(u"yomi", 0), c.stored);
        QCOMPARE(U(t.page->GetItemText(kEntry1, kReading)), c.stored);
        QCOMPARE(t.prompts.messages, c.message.isEmpty() ? QStringList{} : QStringList{c.message});
    }
}

void PagesTest::nameRules() {
    struct Case {
        QString typed;
        std::u16string stored;
        QString message;
    };
    const std::vector<Case> cases = {
        {"Bob", u"Bob", {}},
        {QString(), u"Alice", T(8711)},
        {QString::fromUtf16(u"B\u2460"), u"Alice", T(430)},  // a code-page character outside JIS X 0208
    };
    for (const Case& c : cases) {
        PageUnderTest<CListViewAddressBookList> t([](CTalveroDoc& doc) { MakeEntry(doc, 0, u"indi", u"1"); });
        t.Type(kEntry1, kName, c.typed);
        QCOMPARE(t.doc.Get(u"name", 0), c.stored);
        QCOMPARE(U(t.page->GetItemText(kEntry1, kName)), c.stored);
        QCOMPARE(t.prompts.messages, c.message.isEmpty() ? QStringList{} : QStringList{c.message});
    }
}

void PagesTest::addressBookSettingRules() {
    struct Case {
        const char16_t* sel;
        const char16_t* top;
        std::vector<bool> enabled;  // rows 2 to 6
    };
    const std::vector<Case> cases = {
        {u"off", u"3", {false, false, false, false, false}},
        {u"on", u"3", {true, true, true, true, true}},
        {u"on", u"0", {true, false, true, true, true}},
    };
    for (const Case& c : cases) {
        PageUnderTest<CListViewAddressBookSetting> t([&](CTalveroDoc& doc) {
            doc.Set(u"sel", c.sel);
            doc.Set(u"id_list_top", c.top);
            MakeEntry(doc, 2, u"group", u"77");
        });
        QVERIFY(t.page->IsCellEditable(1, 1));
        for (int row = 2; row <= 6; ++row) {
            QCOMPARE(t.page->IsCellEditable(row, 1), c.enabled[row - 2]);
            if (!c.enabled[row - 2]) {
                QCOMPARE(t.page->GetItemText(row, 1), QString());
            }
        }
    }
    // Switching "sel" on reloads the rows; the start entry is picked from the entries' lines.
    PageUnderTest<CListViewAddressBookSetting> t(
        [](CTalveroDoc& doc) { MakeEntry(doc, 2, u"group", u"77"); });
    t.Choose(1, 1, T(2501));
    QCOMPARE(t.doc.Get(u"sel"), std::u16string(u"on"));
    QCOMPARE(t.page->GetItemText(2, 1), T(2531));
    QVERIFY(!t.page->IsCellEditable(3, 1));
    QCOMPARE(t.page->GetItemText(4, 1), T(8657));
    const QStringList items = t.ComboItems(2, 1);
    QCOMPARE(items.size(), 501);
    QCOMPARE(items.at(3), QString("003: Alice (group 00077)"));
    QCOMPARE(items.at(500), QString("500: (not used)"));
    t.Choose(2, 1, items.at(3));
    QCOMPARE(t.doc.Get(u"id_list_top"), std::u16string(u"3"));
    QCOMPARE(t.page->GetItemText(2, 1), items.at(3));
    QVERIFY(t.page->IsCellEditable(3, 1));
}

void PagesTest::messageTopListsTenLines() {
    PageUnderTest<CListViewMsgSetting> t([](CTalveroDoc& doc) {
        doc.Set(u"msg_tx", u"on");
        doc.Set(u"msg", 0, u"Come in");
        doc.Set(u"msg", 9, u"Done");
        doc.Set(u"msg_top", u"10");
    });
    QCOMPARE(t.page->GetItemText(2, 1), QString("10 : Done"));
    const QStringList items = t.ComboItems(2, 1);
    QCOMPARE(items.size(), 10);
    QCOMPARE(items.at(0), QString(" 1 : Come in"));
    QCOMPARE(items.at(1), QString(" 2 : "));
    QCOMPARE(items.at(9), QString("10 : Done"));
    t.Choose(2, 1, items.at(1));
    QCOMPARE(t.doc.Get(u"msg_top"), std::u16string(u"2"));
    QCOMPARE(t.page->GetItemText(2, 1), QString(" 2 : "));
    // Turning sending off blanks and disables the first-message row.
    t.Choose(1, 1, T(2500));
    QCOMPARE(t.page->GetItemText(2, 1), QString());
    QVERIFY(!t.page->IsCellEditable(2, 1));
}

void PagesTest::messageAndStatusTexts() {
    struct Case {
        QString typed;
        std::u16string stored;
        int messages;
    };
    const std::vector<Case> cases = {
        {"On my way", u"On my way", 0},
        {QString::fromUtf16(u"\u2460"), u"Old", 1},
    };
    for (const Case& c : cases) {
        PageUnderTest<CListViewMsgList> m([](CTalveroDoc& doc) { doc.Set(u"msg", 4, u"Old"); });
        m.Type(6, 1, c.typed);
        QCOMPARE(m.doc.Get(u"msg", 4), c.stored);
        QCOMPARE(U(m.page->GetItemText(6, 1)), c.stored);
        QCOMPARE(m.prompts.messages.size(), c.messages);

        PageUnderTest<CListViewPresenceList> s([](CTalveroDoc& doc) { doc.Set(u"stat", 9, u"Old"); });
        s.Type(11, 2, c.typed);
        QCOMPARE(s.doc.Get(u"stat", 9), c.stored);
        QCOMPARE(U(s.page->GetItemText(11, 2)), c.stored);
        QCOMPARE(s.prompts.messages.size(), c.messages);
    }
    PageUnderTest<CListViewPresenceList> s;
    QCOMPARE(s.page->GetItemText(2, 1), T(2501));
    s.Choose(2, 1, T(2500));
    QCOMPARE(s.doc.Get(u"sw_presence", 0), std::u16string(u"off"));
    PageUnderTest<CListViewPresenceSetting> p;
    p.Choose(1, 1, T(2501));
    QCOMPARE(p.doc.Get(u"stat_tx"), std::u16string(u"on"));
}

namespace {
// Every dependent row of the registered pages enabled, and the ID list holding every type.
void FillForAllRows(CTalveroDoc& doc) {
    doc.Set(u"sel", u"on");
    doc.Set(u"msg_tx", u"on");
    const char16_t* types[] = {u"indi", u"group", u"user_group", u"tel"};
    for (unsigned i = 0; i < 4; ++i) {
        MakeEntry(doc, i, types[i], u"5");
    }
}

// The first rows are enough on table pages: the other rows repeat them.
constexpr int kRowsChecked = 40;

QStringList RegisteredPageTexts(const RegisteredPage& registered) {
    CTalveroDoc doc;
    doc.OnNewDocument();
    FillForAllRows(doc);
    ScriptedPrompts prompts;
    RegisteredPageUnderTest t(registered, doc);
    QStringList texts;
    if (!t.grid) {
        return texts;
    }
    for (int column = 0; column < t.grid->GetColumnCount(); ++column) {
        texts << t.grid->GetHeaderCtrl()->GetItemText(column);
    }
    for (int row = 0; row < t.grid->GetItemCount(); ++row) {
        for (int column = 0; column < t.grid->GetColumnCount(); ++column) {
            texts << t.grid->GetItemText(row, column);
            if (row < kRowsChecked && t.grid->IsCellEditable(row, column)) {
                texts << t.ComboItems(row, column);
            }
        }
    }
    return texts;
}
}  // namespace

void PagesTest::noPageShowsTextIds() {
    const std::vector<RegisteredPage> pages = RegisteredPages();
    QVERIFY(pages.size() >= 6);
    for (const RegisteredPage& page : pages) {
        const QStringList texts = RegisteredPageTexts(page);
        QVERIFY2(!texts.isEmpty(), qPrintable(QString::number(page.node)));
        QStringList withIds;
        for (const QString& text : texts) {
            if (text.contains("ID_")) {
                withIds << text;
            }
        }
        QVERIFY2(withIds.isEmpty(), qPrintable(QString::number(page.node) + ": " + withIds.join(" | ")));
    }
}

void PagesTest::everyHelpAddressInTheHelpFile() {
    ChmArchive help;
    QVERIFY2(help.Open(BinDir() + "/talvero.chm"), "the help file was not built");
    // The listing covers every directory chunk of the file, the first one included (the help
    // file's header names a later chunk as its first).
    QCOMPARE(help.Find(".hhc"), QStringList{"/toc.hhc"});
    const QStringList listed = help.Find(".htm");
    for (const RegisteredPage& registered : RegisteredPages()) {
        CTalveroDoc doc;
        doc.OnNewDocument();
        FillForAllRows(doc);
        ScriptedPrompts prompts;
        RegisteredPageUnderTest t(registered, doc);
        if (!t.grid) {
            continue;
        }
        QSet<QString> addresses;
        for (int row = 0; row < std::min(t.grid->GetItemCount(), kRowsChecked); ++row) {
            for (int column = 0; column < t.grid->GetColumnCount(); ++column) {
                QTest::mouseClick(t.grid->viewport(), Qt::LeftButton, {}, t.Cell(row, column));
                addresses << t.page->CurrentHelpAddress();
            }
        }
        addresses.remove(QString());
        QVERIFY2(!addresses.isEmpty(), qPrintable(QString::number(registered.node)));
        for (const QString& address : addresses) {
            QString file;
            QString page;
            QVERIFY2(SplitHelpAddress(address, file, page), qPrintable(address));
            QCOMPARE(QDir::cleanPath(file), QDir::cleanPath(help.Path()));
            QByteArray data;
            QVERIFY2(help.Read(page, data), qPrintable(QString::number(registered.node) + ": " + page));
            QVERIFY2(listed.contains(page), qPrintable(page + " read but not listed"));
        }
    }
}

namespace {
std::map<std::u16string, std::u16string> RadioForm(const CTalveroDoc& doc) {
    std::vector<std::u16string> lines;
    doc.RenderSettings(lines, false);
    std::map<std::u16string, std::u16string> form;
    for (const std::u16string& line : lines) {
        const size_t equals = line.find(u'=');
        form[line.substr(0, equals)] = equals == std::u16string::npos ? u"" : line.substr(equals + 1);
    }
    return form;
}

}  // namespace

void PagesTest::editsSurviveSaveAndReopen() {
    TestEnvironment env;
    CTalveroDoc doc;
    doc.OnNewDocument();
    const auto before = RadioForm(doc);
    std::set<std::u16string> edited;
    for (const PageEdit& edit : RoundTripEdits()) {
        QVERIFY2(FindPageFactory(edit.node), qPrintable(QString::number(edit.node)));
        ScriptedPrompts prompts;
        RegisteredPage registered{edit.node, 0};
        for (const RegisteredPage& page : RegisteredPages()) {
            if (page.node == edit.node) {
                registered = page;
            }
        }
        RegisteredPageUnderTest t(registered, doc);
        const QString text = edit.textId ? T(edit.textId) : edit.literal;
        if (edit.action == PageEdit::Action::kChoose) {
            t.Choose(edit.row, edit.column, text);
        } else {
            t.Type(edit.row, edit.column, text);
        }
        QVERIFY2(prompts.messages.isEmpty(), qPrintable(prompts.messages.join(" | ")));
        edited.insert(edit.keys.begin(), edit.keys.end());
    }
    QVERIFY(doc.IsModified());
    const std::string path = env.Path("round.ini").toStdString();
    QVERIFY(SaveConfigurationFile(doc, path).code == 0);
    CTalveroDoc reopened;
    reopened.OnNewDocument();
    QVERIFY(OpenConfigurationFile(reopened, path).ok());
    // Every saved value as it was edited (the file form itself differs: secrets are scrambled
    // afresh each time).
    const auto& catalogue = SettingsCatalogue();
    for (size_t def = 0; def < catalogue.size(); ++def) {
        if (!catalogue[def].rendered) {
            continue;
        }
        for (unsigned index = 0; index < FamilyCount(catalogue[def].family); ++index) {
            const SettingId id{static_cast<uint16_t>(def), static_cast<uint16_t>(index)};
            QCOMPARE(QString::fromStdU16String(reopened.Get(id)), QString::fromStdU16String(doc.Get(id)));
        }
    }
    const auto after = RadioForm(reopened);
    // A key that appears or disappears counts as changed (an ID list entry is sent only in use).
    std::set<std::u16string> changed;
    for (const auto& [key, value] : after) {
        auto it = before.find(key);
        if (it == before.end() || it->second != value) {
            changed.insert(key);
        }
    }
    for (const auto& [key, value] : before) {
        if (!after.count(key)) {
            changed.insert(key);
        }
    }
    QStringList unexpected;
    QStringList missing;
    for (const std::u16string& key : changed) {
        if (!edited.count(key)) {
            unexpected << QString::fromStdU16String(key);
        }
    }
    for (const std::u16string& key : edited) {
        if (!changed.count(key)) {
            missing << QString::fromStdU16String(key);
        }
    }
    QVERIFY2(unexpected.isEmpty(), qPrintable("changed without an edit: " + unexpected.join(", ")));
    QVERIFY2(missing.isEmpty(), qPrintable("edited but unchanged: " + missing.join(", ")));
}

void PagesTest::idListExportImportCommands() {
    TestEnvironment env;
    FrameUnderTest f;
    ScriptedPrompts prompts;
    CTalveroDoc& doc = f.document;
    MakeEntry(doc, 0, u"indi", u"42");
    MakeEntry(doc, 11, u"tel", u"1");
    doc.Set(u"yomi", 11, u"ｱﾘｽ");
    doc.Set(u"id_select", 11, u"off");
    const QString csv = env.Path("list.csv");

    // Cancelled save: no file.
    f.frame->ExecuteCommand(ID_IDLIST_EXPORT);
    QVERIFY(!QFile::exists(csv));
    prompts.saveName = csv;
    f.frame->ExecuteCommand(ID_IDLIST_EXPORT);
    QVERIFY(QFile::exists(csv));
    QVERIFY(prompts.messages.isEmpty());

    // The list changed, then the file brings it back and the open ID list page shows it.
    doc.ClearIdEntry(0);
    doc.Set(u"id_type", 300, u"group");
    auto* page = f.frame->findChild<CListViewAddressBookList*>();
    QVERIFY(page != nullptr);
    prompts.openName = csv;
    f.frame->ExecuteCommand(ID_IDLIST_IMPORT);
    QCOMPARE(prompts.messages, QStringList{QString::fromStdU16String(FormatLanguageText(2114, {2u}))});
    QVERIFY(prompts.icons.at(0) == IUserPrompts::Icon::Information);
    prompts.messages.clear();
    prompts.icons.clear();
    QCOMPARE(doc.Get(u"id_type", 0), std::u16string(u"indi"));
    QCOMPARE(doc.Get(u"id", 0), std::u16string(u"00042"));
    QCOMPARE(doc.Get(u"id_type", 11), std::u16string(u"tel"));
    QCOMPARE(doc.Get(u"number", 11), std::u16string(u"0123#45"));
    QCOMPARE(doc.Get(u"yomi", 11), std::u16string(u"ｱﾘｽ"));
    QCOMPARE(doc.Get(u"id_select", 11), std::u16string(u"off"));
    QCOMPARE(doc.Get(u"id_type", 300), std::u16string());
    QCOMPARE(page->GetItemText(kEntry1, kNumber), QString("00042"));
    QCOMPARE(page->GetItemText(kEntry1 + 11, kNumber), QString("0123#45"));
    QCOMPARE(page->GetItemText(kEntry1 + 300, kType), QString());

    // A file that cannot be read: the message with the stop icon, the list unchanged.
    prompts.openName = env.Path("missing.csv");
    f.frame->ExecuteCommand(ID_IDLIST_IMPORT);
    QCOMPARE(prompts.messages, QStringList{T(2111)});
    QVERIFY(prompts.icons.at(0) == IUserPrompts::Icon::Stop);
    QCOMPARE(doc.Get(u"id", 0), std::u16string(u"00042"));

    // A file that cannot be written is reported, not passed over.
    prompts.messages.clear();
    prompts.saveName = env.Path("no-such-folder/list.csv");
    f.frame->ExecuteCommand(ID_IDLIST_EXPORT);
    QCOMPARE(prompts.messages.size(), 1);
    QVERIFY(prompts.messages.at(0).contains("no-such-folder/list.csv"));

    // Shortened names come back as warning lines in the warning dialog.
    QFile file(env.Path("wide.csv"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    const QString line = QString("7,\"%1\",\"5\",\"%2\"\r\n").arg(T(2535), QString(20, QChar(u'あ')));
    file.write(QByteArray("\xFF\xFE", 2) +
               QByteArray(reinterpret_cast<const char*>(line.utf16()), line.size() * 2));
    file.close();
    prompts.openName = env.Path("wide.csv");
    prompts.messages.clear();
    f.frame->ExecuteCommand(ID_IDLIST_IMPORT);
    QCOMPARE(prompts.dialogs, QStringList{"CDlgImportWarning"});
    QCOMPARE(doc.Get(u"name", 6), std::u16string(16, u'あ'));

    // A file without a single entry (here LF line ends and no entry numbers) is refused with its
    // reason and leaves the list as it was.
    QFile bare(env.Path("bare.csv"));
    QVERIFY(bare.open(QIODevice::WriteOnly));
    bare.write((QString("\"%1\",\"5\",\"Alice\"\n").arg(T(2535))).toUtf8());
    bare.close();
    prompts.openName = env.Path("bare.csv");
    prompts.messages.clear();
    prompts.icons.clear();
    f.frame->ExecuteCommand(ID_IDLIST_IMPORT);
    QCOMPARE(prompts.messages.size(), 1);
    QVERIFY(prompts.messages.at(0).startsWith(T(2113).left(20)));
    QVERIFY(prompts.icons.at(0) == IUserPrompts::Icon::Stop);
    QCOMPARE(doc.Get(u"name", 6), std::u16string(16, u'あ'));
}

void PagesTest::numberEditOpenWhileTypeCleared() {
    // The entry's type is cleared while its number is being edited: nothing is stored and the
    // row shows the unused entry, not a number that was never kept.
    PageUnderTest<CListViewAddressBookList> t([](CTalveroDoc& doc) { MakeEntry(doc, 0, u"indi", u"42"); });
    auto* edit = qobject_cast<QLineEdit*>(t.Open(kEntry1, kNumber));
    QVERIFY(edit != nullptr);
    QTest::keyClicks(edit, "5");
    t.doc.Set(u"id_type", 0, u"");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(t.page->GetItemText(kEntry1, kNumber), QString());
    QVERIFY(!t.page->IsCellEditable(kEntry1, kNumber));
    QCOMPARE(t.doc.Get(u"id", 0), std::u16string(u"00042"));
    QVERIFY(t.prompts.messages.isEmpty());
}

namespace {
template <class Page>
QStringList HelpPages(const std::vector<std::pair<int, int>>& cells) {
    PageUnderTest<Page> t([](CTalveroDoc& doc) {
        doc.Set(u"sel", u"on");
        doc.Set(u"id_list_top", u"1");
        doc.Set(u"msg_tx", u"on");
        MakeEntry(doc, 0, u"indi", u"1");
    });
    QStringList pages;
    for (auto [row, column] : cells) {
        QTest::mouseClick(t.page->viewport(), Qt::LeftButton, {}, t.Cell(row, column));
        pages << t.page->CurrentHelpAddress().section('/', -1);
    }
    return pages;
}
}  // namespace

void PagesTest::helpPerRowOrColumn() {
    QCOMPARE(HelpPages<CListViewAddressBookList>({{2, 1}, {2, 2}, {2, 3}, {2, 4}, {2, 5}}),
             QStringList({"id_type.htm", "id.htm", "name.htm", "yomi.htm", "id_select.htm"}));
    QCOMPARE(HelpPages<CListViewAddressBookSetting>({{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}}),
             QStringList({"sel.htm", "id_list_top.htm", "all_call_disp.htm", "id_list_type.htm",
                          "id_list_type_updown.htm", "updown_reverse.htm"}));
    QCOMPARE(HelpPages<CListViewMsgSetting>({{1, 1}, {2, 1}}), QStringList({"msg_tx.htm", "msg_top.htm"}));
    QCOMPARE(HelpPages<CListViewMsgList>({{2, 1}, {11, 1}}), QStringList({"msg.htm", "msg.htm"}));
    QCOMPARE(HelpPages<CListViewPresenceSetting>({{1, 1}}), QStringList({"stat_tx.htm"}));
    QCOMPARE(HelpPages<CListViewPresenceList>({{2, 1}, {11, 2}}),
             QStringList({"sw_presence.htm", "stat.htm"}));
}

namespace {
template <class Page>
struct FontProbe : Page {
    using Page::GetCellFontIndex;
    using Page::Page;
};

template <class Page>
std::vector<int> Fonts(int columns) {
    CTalveroDoc doc;
    PageContext context;
    context.document = &doc;
    FontProbe<Page> page(nullptr, context);
    std::vector<int> fonts;
    for (int row : {1, 2}) {
        for (int column = 0; column < columns; ++column) {
            fonts.push_back(std::min(page.GetCellFontIndex(row, column), 1));  // as the grid draws it
        }
    }
    return fonts;
}
}  // namespace

void PagesTest::headingRowBold() {
    // Font 0 is bold: the heading row in every column, then the numbers only.
    QCOMPARE(Fonts<CListViewAddressBookList>(6), std::vector<int>({0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1}));
    QCOMPARE(Fonts<CListViewMsgList>(2), std::vector<int>({0, 0, 0, 1}));
    QCOMPARE(Fonts<CListViewPresenceList>(3), std::vector<int>({0, 0, 0, 0, 1, 1}));
}

void PagesTest::entryDescriptions() {
    CTalveroDoc doc;
    doc.OnNewDocument();
    MakeEntry(doc, 0, u"indi", u"5");
    MakeEntry(doc, 1, u"group", u"6");
    MakeEntry(doc, 2, u"user_group", u"7");
    MakeEntry(doc, 3, u"tel", u"8");
    struct Case {
        unsigned n;
        QString text;
    };
    const std::vector<Case> cases = {
        {0, T(2531)},
        {1, "001: Alice (individual 00005)"},
        {2, "002: Alice (group 00006)"},
        {3, "003: Alice (user group 00007)"},
        {4, "004: Alice (telephone 0123#45)"},
        {5, "005: (not used)"},
        {501, "501: (not used)"},  // past the list: no entry is read
    };
    for (const Case& c : cases) {
        QCOMPARE(QString::fromStdU16String(EntryDescription(doc, c.n)), c.text);
    }
}

void PagesTest::startEntryReadsStoredNumber() {
    // A start entry read from a file is shown as the entry its number names: blanks around the
    // digits and a plus sign are read past, anything else (or a number no unsigned holds) names
    // no entry.
    CTalveroDoc doc;
    doc.OnNewDocument();
    MakeEntry(doc, 1, u"indi", u"5");
    const PageDeclaration* page = FindPageDeclaration(1020);
    QVERIFY(page);
    const PageRow* top = nullptr;
    for (const PageRow& row : page->rows) {
        if (row.key == u"id_list_top") {
            top = &row;
        }
    }
    QVERIFY(top && top->describe);
    const QString second = "002: Alice (individual 00005)";
    const std::vector<std::pair<std::u16string, QString>> cases = {
        {u"2", second},
        {u"002", second},
        {u" 2 ", second},
        {u"\t2\n", second},
        {u"+2", second},
        {u"0", T(2531)},
        {u"", T(2531)},
        {u"+", T(2531)},
        {u"-2", T(2531)},
        {u"2x", T(2531)},
        {u"2 2", T(2531)},
        {u"4294967296", T(2531)},
        {u"501", "501: (not used)"},
        {u"4294967295", "4294967295: (not used)"},
    };
    for (const auto& [value, shown] : cases) {
        QCOMPARE(QString::fromStdU16String(top->describe(doc, value)), shown);
    }
}

namespace {
using Edit = PageEdit::Action;
const RoundTripEditRegistration listPageEdits({
    {.node = 1020, .row = 1, .textId = 2501, .keys = {u"sel_01"}},
    // An entry taken into use is sent with all its fields.
    {.node = 1021,
     .row = 3,
     .column = 1,
     .textId = 2533,
     .keys = {u"id_type_01_02", u"id_01_02", u"number_01_02", u"yomi_01_02", u"id_select_01_02"}},
    {.node = 1021, .row = 3, .column = 3, .action = Edit::kType, .literal = "Desk", .keys = {u"name_01_02"}},
    {.node = 1022, .row = 1, .textId = 2501, .keys = {u"msg_tx_01"}},
    {.node = 1023, .row = 4, .action = Edit::kType, .literal = "Hello", .keys = {u"msg_01_03"}},
    {.node = 1024, .row = 1, .textId = 2501, .keys = {u"stat_tx_01"}},
    {.node = 1025, .row = 3, .column = 1, .textId = 2500, .keys = {u"sw_presence_01_02"}},
    {.node = 1025, .row = 3, .column = 2, .action = Edit::kType, .literal = "Busy", .keys = {u"stat_01_02"}},
});
}  // namespace

static GuiTestRegistration<PagesTest> registration;
#include "pages_test.moc"
