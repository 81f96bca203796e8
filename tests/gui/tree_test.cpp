// The navigation tree: both shapes, node IDs, captions without texts, the page swap and the help
// addresses it shows, and the Help command's window.
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTreeWidget>
#include <functional>

#include "gui/shell/command_table.h"
#include "gui/shell/help_view.h"
#include "gui/shell/help_window.h"
#include "gui/shell/left_view.h"
#include "gui/shell/title_view.h"
#include "gui_support.h"
#include "gui_tests.h"
#include "platform/program_path.h"

namespace {

QTreeWidgetItem* Child(QTreeWidgetItem* parent, uint32_t node, int nth = 0) {
    for (int i = 0; i < parent->childCount(); ++i) {
        if (CLeftView::NodeId(parent->child(i)) == node && nth-- == 0) {
            return parent->child(i);
        }
    }
    return nullptr;
}

QList<uint32_t> ChildNodes(const QTreeWidgetItem* parent) {
    QList<uint32_t> nodes;
    for (int i = 0; i < parent->childCount(); ++i) {
        nodes << CLeftView::NodeId(parent->child(i));
    }
    return nodes;
}

QList<uint32_t> PagesInOrder(const QTreeWidgetItem* item) {
    QList<uint32_t> pages;
    std::function<void(const QTreeWidgetItem*)> walk = [&](const QTreeWidgetItem* i) {
        const uint32_t node = CLeftView::NodeId(i);
        if (node >= 1003) {
            pages << node;
        }
        for (int c = 0; c < i->childCount(); ++c) {
            walk(i->child(c));
        }
    };
    walk(item);
    return pages;
}

bool InTree(const QTreeWidget* tree, const QTreeWidgetItem* item) {
    return item && item->treeWidget() == tree;
}

}  // namespace

namespace {

// "depth nodeId caption" of the open items, depth first.
QStringList ExpandedNodes(const CMainFrame& frame) {
    QStringList open;
    const QStringList all = TreeSnapshot(frame.LeftView());
    QList<QTreeWidgetItem*> items;
    std::function<void(QTreeWidgetItem*)> walk = [&](QTreeWidgetItem* item) {
        items << item;
        for (int i = 0; i < item->childCount(); ++i) {
            walk(item->child(i));
        }
    };
    for (int i = 0; i < frame.LeftView()->topLevelItemCount(); ++i) {
        walk(frame.LeftView()->topLevelItem(i));
    }
    for (qsizetype i = 0; i < items.size() && i < all.size(); ++i) {
        if (items[i]->isExpanded()) {
            open << all[i];
        }
    }
    return open;
}

}  // namespace

class TreeTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { UseLanguage(true); }

    void fullShapeWithEveryPage() {
        TestEnvironment env;
        TestPages pages(TestPages::AllPages());
        FrameUnderTest t;
        QTreeWidgetItem* root = t.frame->RootItem();
        QVERIFY(root);
        QCOMPARE(t.frame->LeftView()->topLevelItemCount(), 1);
        QCOMPARE(root->text(0), QString("Radio configuration"));
        QVERIFY(root->isExpanded());
        // The information page, 15 shared folders, the WLAN folder last.
        const QList<uint32_t> top = ChildNodes(root);
        QCOMPARE(top.size(), 17);
        QCOMPARE(top.front(), 1003u);
        QCOMPARE(top.count(1001u), 15);
        QCOMPARE(top.back(), 1002u);
        QCOMPARE(t.frame->FolderItems().size(), size_t(15));
        // Pages appear in node order, 1003 … 1038, each under its folder.
        QList<uint32_t> expected;
        for (uint32_t n = 1003; n <= 1038; ++n) {
            expected << n;
        }
        QCOMPARE(PagesInOrder(root), expected);
        QTreeWidgetItem* functions = Child(root, 1001, 2);
        QCOMPARE(functions->text(0), QString("Functions"));
        QCOMPARE(ChildNodes(functions), (QList<uint32_t>{1016, 1017, 1018, 1019}));
        QCOMPARE(Child(functions, 1017)->text(0), QString("GPS"));
        QCOMPARE(ChildNodes(Child(root, 1002)), (QList<uint32_t>{1037, 1038}));
        // Every page has its view; the title page is 1000, the two folder pages 1001 and 1002.
        QCOMPARE(t.frame->PageViews().size(), size_t(39));
        QCOMPARE(t.frame->PageViews().at(1000), static_cast<QWidget*>(t.frame->TitleView()));
        QVERIFY(t.frame->PageViews().at(1001) != t.frame->PageViews().at(1002));
        auto* gps = static_cast<TestPage*>(t.frame->PageViews().at(1017));
        QCOMPARE(gps->m_setIndex, 0);
        QCOMPARE(static_cast<TestPage*>(t.frame->PageViews().at(1003))->m_setIndex, -1);
    }

    void pagesNotYetWrittenHaveNoNode() {
        TestEnvironment env;
        TestPages pages({1017});
        FrameUnderTest t;
        QTreeWidgetItem* root = t.frame->RootItem();
        QCOMPARE(root->childCount(), 16);  // no information page
        QCOMPARE(PagesInOrder(root), QList<uint32_t>{1017});
        QCOMPARE(t.frame->PageViews().size(), size_t(4));
        QVERIFY(!t.frame->TreeItems().count(1003));
    }

    void wlanOnlyShapeAndBack_data() {
        QTest::addColumn<bool>("allPages");
        QTest::newRow("every page") << true;
        QTest::newRow("only the GPS page") << false;
    }
    void wlanOnlyShapeAndBack() {
        QFETCH(bool, allPages);
        TestEnvironment env;
        TestPages pages(allPages ? TestPages::AllPages() : std::vector<uint32_t>{1017});
        FrameUnderTest t;
        QTreeWidget* tree = t.frame->LeftView();
        const QStringList startUp = TreeSnapshot(tree);
        // The user's view of the tree: an open folder besides the one of the selected page.
        tree->setCurrentItem(t.frame->TreeItems().at(1017));
        t.frame->FolderItems().front()->setExpanded(true);
        const QStringList expanded = ExpandedNodes(*t.frame);
        QVERIFY(expanded.size() >= 2);

        t.frame->ExecuteCommand(ID_OPTION_WLAN_ONLY);
        QCOMPARE(t.frame->Document()->m_wlanOnly, 1);
        QVERIFY(t.frame->Action(ID_OPTION_WLAN_ONLY)->isChecked());
        QCOMPARE(tree->currentItem(), t.frame->RootItem());
        QCOMPARE(t.frame->CurrentPageView(), static_cast<QWidget*>(t.frame->TitleView()));
        QCOMPARE(ChildNodes(t.frame->RootItem()),
                 allPages ? (QList<uint32_t>{1003, 1002}) : QList<uint32_t>{1002});
        QCOMPARE(PagesInOrder(t.frame->RootItem()),
                 allPages ? (QList<uint32_t>{1003, 1037, 1038}) : QList<uint32_t>{});
        for (const auto& [node, item] : t.frame->TreeItems()) {
            QVERIFY2(InTree(tree, item), qPrintable(QString::number(node)));
        }

        t.frame->ExecuteCommand(ID_OPTION_WLAN_ONLY);
        QCOMPARE(t.frame->Document()->m_wlanOnly, 0);
        QVERIFY(!t.frame->Action(ID_OPTION_WLAN_ONLY)->isChecked());
        QCOMPARE(TreeSnapshot(tree), startUp);
        // Opened and selected as before, with the page of the selection shown.
        QCOMPARE(ExpandedNodes(*t.frame), expanded);
        QCOMPARE(tree->currentItem(), t.frame->TreeItems().at(1017));
        QCOMPARE(t.frame->CurrentPageView(), t.frame->PageViews().at(1017));
        QCOMPARE(t.frame->FolderItems().size(), size_t(15));
        QVERIFY(InTree(tree, t.frame->TreeItems().at(1017)));
        // The page views were reused, not made again.
        QCOMPARE(t.frame->PageViews().size(), allPages ? size_t(39) : size_t(4));
        // A second round trip gives the same shapes again.
        t.frame->ExecuteCommand(ID_OPTION_WLAN_ONLY);
        t.frame->ExecuteCommand(ID_OPTION_WLAN_ONLY);
        QCOMPARE(TreeSnapshot(tree), startUp);
    }

    void captionsWithoutLanguageFiles() {
        TestEnvironment env;
        UseLanguage(false);
        TestPages pages({1003, 1004});
        FrameUnderTest t;
        QTreeWidgetItem* root = t.frame->RootItem();
        QCOMPARE(root->text(0), QString("ID_2391"));
        QCOMPARE(root->child(0)->text(0), QString("ID_2401"));
        QCOMPARE(root->child(1)->text(0), QString("ID_2402"));
        QCOMPARE(root->child(1)->child(0)->text(0), QString("ID_2403"));
    }

    void pageSwapAndHelpAddresses() {
        TestEnvironment env;
        TestPages pages({1017, 1037, 1038});
        FrameUnderTest t;
        t.frame->resize(900, 700);
        t.frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(t.frame.get()));
        QTreeWidget* tree = t.frame->LeftView();
        CHelpView* help = t.frame->HelpView();
        QCOMPARE(t.frame->CurrentPageView(), static_cast<QWidget*>(t.frame->TitleView()));

        tree->setCurrentItem(t.frame->TreeItems().at(1017));
        tree->setCurrentItem(t.frame->RootItem());
        QCOMPARE(t.frame->CurrentPageView(), static_cast<QWidget*>(t.frame->TitleView()));
        QCOMPARE(help->Address(), QString("about:blank"));

        QTreeWidgetItem* firstFolder = t.frame->FolderItems().at(0);
        QTreeWidgetItem* secondFolder = t.frame->FolderItems().at(1);
        tree->setCurrentItem(firstFolder);
        QWidget* shared = t.frame->CurrentPageView();
        QCOMPARE(shared, t.frame->PageViews().at(1001));
        QCOMPARE(help->Address(), QString("about:blank"));
        tree->setCurrentItem(secondFolder);
        QCOMPARE(t.frame->CurrentPageView(), shared);
        tree->setCurrentItem(t.frame->TreeItems().at(1002));
        QCOMPARE(t.frame->CurrentPageView(), t.frame->PageViews().at(1002));
        QVERIFY(t.frame->CurrentPageView() != shared);

        // A page is refreshed from the document when it is shown, and its help appears below.
        t.frame->Document()->Set(u"disp_item", u"name");
        tree->setCurrentItem(t.frame->TreeItems().at(1037));
        auto* page = static_cast<TestPage*>(t.frame->PageViews().at(1037));
        QCOMPARE(t.frame->CurrentPageView(), static_cast<QWidget*>(page));
        QCOMPARE(page->m_value->text(), QString("name"));
        const QString chm = BinDir() + "/talvero.chm";
        QCOMPARE(help->Address(), "mk:@MSITStore:" + chm + "::/wlan_only.htm");
        QVERIFY2(help->toPlainText().contains("Wireless LAN only mode"), qPrintable(help->toPlainText()));
        // Exactly one view of the page area is visible.
        int visible = 0;
        for (const auto& [node, view] : t.frame->PageViews()) {
            visible += view->isVisible() ? 1 : 0;
        }
        QCOMPARE(visible, 1);

        tree->setCurrentItem(t.frame->TreeItems().at(1038));  // names a page the help file lacks
        QVERIFY2(help->toPlainText().contains("missing.htm was not found"), qPrintable(help->toPlainText()));
    }

    void helpLinksResolveInsideTheHelpFile() {
        TestEnvironment env;
        CHelpView help;
        help.Navigate("mk:@MSITStore:" + BinDir() + "/talvero.chm::/index.htm");
        QVERIFY(help.toPlainText().contains("Welcome to Talvero"));
        help.setSource(help.source().resolved(QUrl("files.htm")));
        QVERIFY2(help.toPlainText().contains("Configuration files"), qPrintable(help.toPlainText()));
        help.Navigate(QString());
        QCOMPARE(help.Address(), QString("about:blank"));
        QVERIFY(help.toPlainText().isEmpty());
        help.Navigate("mk:@MSITStore:/nonexistent/none.chm::/index.htm");
        QVERIFY(help.toPlainText().contains("could not be opened"));
    }

    // A program folder named like the product ("Talvero #11") or holding "?", "%" or a space
    // still shows its help, and links inside it still resolve.
    void helpFromAFolderWithUrlCharacters() {
        TestEnvironment env;
        QTemporaryDir dir;
        const QString folder = dir.path() + "/Talvero #11 ?50% a";
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::copy(BinDir() + "/talvero.chm", folder + "/talvero.chm"));
        CHelpView help;
        help.Navigate("mk:@MSITStore:" + folder + "/talvero.chm::/index.htm");
        QVERIFY2(help.toPlainText().contains("Welcome to Talvero"), qPrintable(help.toPlainText()));
        help.setSource(help.source().resolved(QUrl("files.htm")));
        QVERIFY2(help.toPlainText().contains("Configuration files"), qPrintable(help.toPlainText()));
        QCOMPARE(HelpAddress(help.source()), "mk:@MSITStore:" + folder + "/talvero.chm::/files.htm");
    }

    void helpContextMenuOnlyOnSelectedText() {
        CHelpView help;
        help.resize(400, 200);
        help.setHtml("<p>alpha beta gamma</p>");
        help.show();
        QTextCursor cursor(help.document());
        auto pointAt = [&](int position) {
            QTextCursor c(help.document());
            c.setPosition(position);
            return help.cursorRect(c).center();
        };
        QVERIFY(!help.ShowsContextMenuAt(pointAt(8)));  // nothing selected
        cursor.setPosition(6);
        cursor.setPosition(10, QTextCursor::KeepAnchor);  // "beta"
        help.setTextCursor(cursor);
        QVERIFY(help.ShowsContextMenuAt(pointAt(8)));
        QVERIFY(!help.ShowsContextMenuAt(pointAt(14)));  // inside "gamma"
    }

    void helpCommandShowsTheContents() {
        TestEnvironment env;
        FrameUnderTest t;
        t.frame->ExecuteCommand(ID_HELP_CONTENTS);
        CHelpWindow* window = t.frame->HelpWindow();
        QVERIFY(window);
        QTreeWidget* contents = window->Contents();
        QVERIFY(contents->topLevelItemCount() >= 3);
        QCOMPARE(contents->topLevelItem(0)->text(0), QString("Welcome to Talvero"));
        QTreeWidgetItem* group = contents->topLevelItem(2);
        QVERIFY(group->childCount() >= 4);
        QVERIFY(window->Browser()->toPlainText().contains("Welcome to Talvero"));
        contents->setCurrentItem(group->child(3));
        QCOMPARE(window->Browser()->Address(), "mk:@MSITStore:" + BinDir() + "/talvero.chm::/wlan_only.htm");
    }

    void helpCommandWithoutHelpFile() {
        TestEnvironment env;
        QTemporaryDir elsewhere;
        SetProgramFilePath((elsewhere.path() + "/talvero").toStdString());
        CHelpWindow window(QString::fromStdString(HelpFilePath(ProgramFilePath())));
        QVERIFY(!window.LoadContents());
        QCOMPARE(window.Contents()->topLevelItemCount(), 0);
        QVERIFY(window.Browser()->toPlainText().contains("could not be opened"));
    }
};

static GuiTestRegistration<TreeTest> g_treeTest;

#include "tree_test.moc"
