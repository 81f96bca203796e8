// The main frame: registry values, menu translation and the speed items, prompts and tips,
// status bar, tool bar, command states, about box and title page.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <algorithm>

#include "gui/editor/list_view_base.h"
#include "gui/shell/command_table.h"
#include "gui/shell/dlg_about.h"
#include "gui/shell/help_view.h"
#include "gui/shell/radio_controller.h"
#include "gui/shell/title_view.h"
#include "gui/shell/user_prompts.h"
#include "gui_support.h"
#include "gui_tests.h"
#include "platform/version_block.h"
#include "text/language_texts.h"

namespace {

QMenu* TopMenu(CMainFrame* frame, int index) {
    return frame->menuBar()->actions().at(index)->menu();
}

QStringList VisibleItems(QMenu* menu) {
    QStringList items;
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator() && action->isVisible()) {
            items << action->text();
        }
    }
    return items;
}

VersionBlock VersionOf(uint16_t major, uint16_t minor, uint16_t patch, uint16_t build) {
    VersionBlock b;
    b.fileVersionMS = (uint32_t(major) << 16) | minor;
    b.fileVersionLS = (uint32_t(patch) << 16) | build;
    b.translations = {{0x0409, 1200}};
    b.stringTables = {{0x0409, 1200, {{u"ProductName", u"Product X"}, {u"LegalCopyright", u" (C) Maker "}}}};
    return b;
}

}  // namespace

class FrameTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { UseLanguage(true); }

    void freshInstallationDefaults() {
        TestEnvironment env;
        FrameUnderTest t;
        // No port chosen, unless this machine has exactly one USB serial adapter.
        std::vector<ComInfo> ports;
        EnumComPorts(ports);
        const auto usb = std::count_if(ports.begin(), ports.end(), [](const ComInfo& p) { return p.usb; });
        if (usb != 1) {
            QCOMPARE(QString::fromStdString(t.frame->Radio().Link().m_comPort), QString());
        }
        QCOMPARE(t.frame->Radio().Link().m_comSpeed, 38400u);
        t.frame->resize(900, 700);
        t.frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(t.frame.get()));
        QCOMPARE(t.frame->RightSplitter()->sizes().at(0), 400);
        // The tree as wide as its longest caption, within a third of the window.
        const int tree = t.frame->Splitter()->sizes().at(0);
        QVERIFY2(tree > 0 && tree <= t.frame->width() / 3, qPrintable(QString::number(tree)));
        QVERIFY(t.frame->RightSplitter()->sizes().at(1) > 0);  // the help pane takes the rest
        QCOMPARE(t.frame->windowTitle(), QString("Untitled[*] - Talvero #11"));
    }

    // A larger window (maximised, say) gives its room to the grid of the page shown; the help
    // pane keeps its height.
    void gridGrowsWithTheWindow() {
        TestEnvironment env;
        FrameUnderTest t;
        t.frame->resize(900, 700);
        t.frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(t.frame.get()));
        t.frame->OnTreeSelChanged(std::nullopt, TestPages::AllPages().front());
        QWidget* grid = t.frame->CurrentPageView();
        QVERIFY(grid);
        const int gridBefore = grid->height();
        const int helpBefore = t.frame->RightSplitter()->sizes().at(1);
        t.frame->resize(1300, 1000);
        QTRY_COMPARE(t.frame->height(), 1000);
        QCoreApplication::processEvents();
        QCOMPARE(t.frame->RightSplitter()->sizes().at(1), helpBefore);
        QCOMPARE(grid->height(), gridBefore + 300);
        t.frame->resize(900, 700);
        QTRY_COMPARE(grid->height(), gridBefore);
    }

    void storedSplitterHeightIsUsedButNeverWritten() {
        TestEnvironment env;
        QSettings().setValue("Global/Splitter.cy", 250);
        {
            FrameUnderTest t;
            t.frame->resize(900, 700);
            t.frame->show();
            QVERIFY(QTest::qWaitForWindowExposed(t.frame.get()));
            QCOMPARE(t.frame->RightSplitter()->sizes().at(0), 250);
            t.frame->RightSplitter()->setSizes({300, 200});
        }
        QCOMPARE(QSettings().value("Global/Splitter.cy").toInt(), 250);
    }

    // Stored values that cannot be what the program wrote fall back to their defaults: no page
    // collapsed to nothing, no port without a name, no speed of 0 bit/s.
    void damagedStoredSettingsFallBack_data() {
        QTest::addColumn<QVariant>("height");
        QTest::addColumn<QVariant>("port");
        QTest::addColumn<QVariant>("speed");
        QTest::newRow("not numbers") << QVariant("tall") << QVariant("") << QVariant("fast");
        QTest::newRow("negative, blank, zero") << QVariant(-40) << QVariant("  ") << QVariant(0);
    }
    void damagedStoredSettingsFallBack() {
        QFETCH(QVariant, height);
        QFETCH(QVariant, port);
        QFETCH(QVariant, speed);
        TestEnvironment env;
        QSettings().setValue("Global/Splitter.cy", height);
        QSettings().setValue("Global/ComPort", port);
        QSettings().setValue("Global/ComSpeed", speed);
        FrameUnderTest t;
        t.frame->resize(900, 700);
        t.frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(t.frame.get()));
        QCOMPARE(t.frame->RightSplitter()->sizes().at(0), 400);
        // No port chosen (or the machine's only USB adapter), never a blank name.
        const QString chosen = QString::fromStdString(t.frame->Radio().Link().m_comPort);
        QVERIFY2(chosen.isEmpty() || QFile::exists(chosen), qPrintable(chosen));
        QCOMPARE(t.frame->Radio().Link().m_comSpeed, 38400u);
    }

    // The port and bit rate in use are always in the status bar, and follow every change.
    void linkPaneShowsPortAndSpeed() {
        TestEnvironment env;
        QSettings().setValue("Global/ComPort", "/dev/ttyUSB3");
        FrameUnderTest t;
        t.frame->show();
        QCOMPARE(t.frame->LinkPane()->text(), QString("Port: /dev/ttyUSB3   Speed: 38400 bit/s"));
        QVERIFY(t.frame->LinkPane()->isVisible());
        t.frame->Action(ID_SPEED_115200)->trigger();
        QCOMPARE(t.frame->LinkPane()->text(), QString("Port: /dev/ttyUSB3   Speed: 115200 bit/s"));
    }

    // Enter in the question before an initialization or a firmware update answers no.
    void destructiveQuestionsDefaultToNo() {
        TestEnvironment env;
        QWidget parent;
        for (auto buttons : {IUserPrompts::Buttons::YesNoDefaultNo, IUserPrompts::Buttons::YesNo}) {
            QTimer::singleShot(0, [] {
                QWidget* box = QApplication::activeModalWidget();
                QVERIFY(box);
                QTest::keyClick(box, Qt::Key_Return);
            });
            const auto answer =
                UserPrompts().Message(&parent, "Initialize?", IUserPrompts::Icon::Question, buttons);
            QCOMPARE(answer, buttons == IUserPrompts::Buttons::YesNo ? IUserPrompts::Answer::Yes
                                                                     : IUserPrompts::Answer::No);
        }
    }

    // Every settings page of the program, opened from the tree: its labels fit their column in
    // the user's font, and the help pane shows at once the help that a click on the first
    // editable row would show.
    void everyPageOpensReadable() {
        TestEnvironment env;
        FrameUnderTest t;
        t.frame->resize(900, 700);
        t.frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(t.frame.get()));
        int pages = 0;
        for (const auto& [node, view] : t.frame->PageViews()) {
            auto* page = qobject_cast<CListViewBase*>(view);
            if (!page) {
                continue;
            }
            ++pages;
            const QString name = QString::number(node);
            t.frame->NavigateHelp(QString());
            t.frame->OnTreeSelChanged(std::nullopt, node);
            QCoreApplication::processEvents();
            const QFontMetrics metrics(page->GetCellFont(0));
            for (int row = 0; row < page->GetItemCount(); ++row) {
                const QString label = page->GetItemText(row, 0);
                if (page->GetCellSpan(row, 0) <= 1 && !label.isEmpty()) {
                    QVERIFY2(metrics.horizontalAdvance(label) + 6 <= page->GetColumnWidth(0),
                             qPrintable(name + ": " + label));
                }
            }
            const QString onOpen = t.frame->HelpView()->Address();
            int first = -1, column = -1;
            for (int row = 0; row < page->GetItemCount() && first < 0; ++row) {
                for (int c = 0; c < page->GetColumnCount(); ++c) {
                    if (page->IsCellEditable(row, c)) {
                        first = row;
                        column = c;
                        break;
                    }
                }
            }
            if (first < 0) {
                continue;  // no editable row: the page's own help, whatever it names
            }
            std::vector<QRect> cells;
            page->GetColumnRects(first, &cells);
            QTest::mouseClick(page->viewport(), Qt::LeftButton, {}, cells[size_t(column)].center());
            QCOMPARE(onOpen, t.frame->HelpView()->Address());
            QVERIFY2(!onOpen.isEmpty(), qPrintable(name));
        }
        QVERIFY(pages > 30);
    }

    void comSettingsReadAtStartAndWrittenAtExit() {
        TestEnvironment env;
        QSettings().setValue("Global/ComPort", "/dev/ttyUSB3");
        QSettings().setValue("Global/ComSpeed", 921600);
        {
            FrameUnderTest t;
            QCOMPARE(QString::fromStdString(t.frame->Radio().Link().m_comPort), QString("/dev/ttyUSB3"));
            QCOMPARE(t.frame->Radio().Link().m_comSpeed, 921600u);
            // 921600 has no visible item: none of the visible speed items is checked.
            for (QAction* action : TopMenu(t.frame.get(), 1)->actions()) {
                QVERIFY2(!action->isChecked(), qPrintable(action->text()));
            }
            t.frame->ExecuteCommand(ID_SPEED_115200);
            QCOMPARE(t.frame->Radio().Link().m_comSpeed, 115200u);
            QVERIFY(t.frame->Action(ID_SPEED_115200)->isChecked());
            QVERIFY(!t.frame->Action(ID_SPEED_38400)->isChecked());
        }
        QCOMPARE(QSettings().value("Global/ComSpeed").toUInt(), 115200u);
        QCOMPARE(QSettings().value("Global/ComPort").toString(), QString("/dev/ttyUSB3"));
    }

    void menuTranslationAndSpeedItems_data() {
        QTest::addColumn<int>("language");  // 0 none, 1 English, 2 English without text 132798
        QTest::addColumn<QStringList>("popups");
        QTest::addColumn<QStringList>("speeds");
        QTest::newRow("English") << 1 << QStringList{"&File", "COM &Port", "&Clone", "Firm&ware",
                                                     "&View", "&Option",   "&Help"}
                                 << QStringList{"Speed: 9600 bit/s", "Speed: 38400 bit/s",
                                                "Speed: 115200 bit/s"};
        QTest::newRow("no language file")
            << 0 << QStringList{"ID_100000", "ID_100001", "ID_100002", "ID_100003",
                                "ID_100004", "ID_100010", "ID_100005"}
            << QStringList{"Speed:9600bps",   "Speed:38400bps",  "Speed:115200bps", "Speed:230400bps",
                           "Speed:460800bps", "Speed:921600bps", "Speed:1152000bps"};
        QTest::newRow("English without 132798")
            << 2 << QStringList{"&File", "COM &Port", "&Clone", "Firm&ware", "&View", "&Option", "&Help"}
            << QStringList{"Speed: 9600 bit/s", "Speed: 38400 bit/s", "Speed: 115200 bit/s",
                           "Speed:230400bps"};
    }
    void menuTranslationAndSpeedItems() {
        QFETCH(int, language);
        QFETCH(QStringList, popups);
        QFETCH(QStringList, speeds);
        TestEnvironment env;
        UseLanguage(language != 0);
        if (language == 2) {
            g_languageTexts.erase(132798);
        }
        FrameUnderTest t;
        QStringList titles;
        for (QAction* top : t.frame->menuBar()->actions()) {
            titles << top->menu()->title();
        }
        QCOMPARE(titles, popups);
        QStringList shown;
        for (const QString& item : VisibleItems(TopMenu(t.frame.get(), 1))) {
            if (item.startsWith("Speed:")) {
                shown << item;
            }
        }
        QCOMPARE(shown, speeds);
        // Items keep their resource captions without texts; the ID List submenu is a popup too.
        QMenu* idList = TopMenu(t.frame.get(), 0)->actions().at(5)->menu();
        QVERIFY(idList);
        QCOMPARE(idList->title(), language ? QString("&ID list") : QString("ID_100006"));
        QCOMPARE(t.frame->Action(ID_FILE_SAVE_AS)->text(),
                 language ? QString("Save &as...") : QString("Save &As"));
    }

    void promptsAndTips() {
        TestEnvironment env;
        SetLanguageText(ID_FILE_OPEN, u"Only a prompt");
        FrameUnderTest t;
        QCOMPARE(t.frame->Action(ID_FILE_NEW)->statusTip(),
                 QString("Start a new configuration with the default settings"));
        QCOMPARE(t.frame->Action(ID_FILE_NEW)->toolTip(), QString("New"));
        QCOMPARE(t.frame->Action(ID_FILE_OPEN)->statusTip(), QString("Only a prompt"));
        QCOMPARE(t.frame->Action(ID_FILE_OPEN)->toolTip(), QString("Only a prompt"));
        // Pointing at a menu item shows its prompt in the status bar.
        t.frame->Action(ID_FILE_NEW)->showStatusText(t.frame.get());
        QCOMPARE(t.frame->StatusBar()->currentMessage(),
                 QString("Start a new configuration with the default settings"));

        QList<uint32_t> buttons;
        for (QAction* action : t.frame->ToolBar()->actions()) {
            buttons << (action->isSeparator() ? 0u : action->data().toUInt());
            QVERIFY(action->isSeparator() || !action->icon().isNull());
        }
        QCOMPARE(buttons, (QList<uint32_t>{ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, 0, ID_CLONE_READ,
                                           ID_CLONE_WRITE, ID_CLONE_INFORMATION}));
        QCOMPARE(t.frame->ToolBar()->windowTitle(), QString("Standard"));
    }

    void statusBarPanes() {
        TestEnvironment env;
        FrameUnderTest t;
        auto* bar = t.frame->StatusBar();
        QCOMPARE(bar->PaneCount(), 5);
        QCOMPARE(bar->Pane(0)->text(), QString("Ready"));
        QCOMPARE(bar->Pane(2)->text(), QString("CAP"));
        QCOMPARE(bar->Pane(3)->text(), QString("NUM"));
        QCOMPARE(bar->Pane(4)->text(), QString("SCRL"));
        QCOMPARE(bar->Pane(1)->maximumWidth(), 150);
        QCOMPARE(bar->Pane(1)->text(), QString());           // a new document has no path
        QVERIFY(!bar->Pane(1)->isVisibleTo(t.frame.get()));  // and leaves the room to the status line
    }

    void commandStates() {
        TestEnvironment env;
        FrameUnderTest t;
        for (uint32_t id : {ID_CLONE_READ, ID_CLONE_WRITE, ID_CLONE_INFORMATION, ID_CLONE_INITIALIZATION,
                            ID_FIRMWARE_UPDATE, ID_COM_MORE, ID_COM_SEARCH}) {
            QVERIFY2(t.frame->Action(id)->isEnabled(), qPrintable(t.frame->Action(id)->text()));
        }
        QVERIFY(t.frame->Action(ID_OPTION_WLAN_ONLY)->isEnabled());
        QVERIFY(!t.frame->Action(ID_OPTION_WLAN_ONLY)->isChecked());
        QVERIFY(t.frame->Action(ID_SPEED_38400)->isChecked());
        t.frame->show();
        t.frame->ExecuteCommand(ID_VIEW_TOOLBAR);
        QVERIFY(!t.frame->ToolBar()->isVisible());
        QVERIFY(!t.frame->Action(ID_VIEW_TOOLBAR)->isChecked());
        t.frame->ExecuteCommand(ID_VIEW_TOOLBAR);
        QVERIFY(t.frame->Action(ID_VIEW_TOOLBAR)->isChecked());
        QCOMPARE(t.frame->Action(ID_FILE_NEW)->shortcut(), QKeySequence("Ctrl+N"));
    }

    void aboutBoxAndTitlePageVersion_data() {
        QTest::addColumn<int>("minor");
        QTest::addColumn<QString>("about");
        QTest::addColumn<QString>("title");
        QTest::newRow("2.5.0.17") << 5 << "Ver 2.05"
                                  << "Version 2.05";
        QTest::newRow("2.10.3.1") << 10 << "Ver 2.10"
                                  << "Version 2.10";
    }
    void aboutBoxAndTitlePageVersion() {
        QFETCH(int, minor);
        QFETCH(QString, about);
        QFETCH(QString, title);
        const VersionBlock block = VersionOf(2, static_cast<uint16_t>(minor), 0, 17);
        CDlgAbout dialog(nullptr, &block);
        QCOMPARE(dialog.VersionLabel()->text(), about);
        QCOMPARE(dialog.ProductLabel()->text(), QString("Product X"));
        QCOMPARE(dialog.LegalLabel()->text(), QString("(C) Maker"));
        QCOMPARE(dialog.windowTitle(), QString("About Talvero"));
        QCOMPARE(dialog.OkButton()->text(), QString("OK"));
        CTitleView view(nullptr, nullptr, &block);
        QCOMPARE(view.VersionText(), title);
        QCOMPARE(view.ProductText(), QString("Product X"));
    }

    void aboutCommandShowsTheBox() {
        TestEnvironment env;
        ScriptedPrompts prompts;
        FrameUnderTest t;
        QString version;
        prompts.onDialog = [&](QDialog* d) {
            version = static_cast<CDlgAbout*>(d)->VersionLabel()->text();
            return int(QDialog::Accepted);
        };
        t.frame->ExecuteCommand(ID_APP_ABOUT);
        QCOMPARE(prompts.dialogs, QStringList{"CDlgAbout"});
        QVERIFY2(version.startsWith("Ver ") && version != "VERSION_LABEL", qPrintable(version));
    }
};

static GuiTestRegistration<FrameTest> g_frameTest;

#include "frame_test.moc"
