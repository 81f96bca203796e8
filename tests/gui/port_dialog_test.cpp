// The port list's choice and its search for the port a cable brings. Extra ports are paths that
// exist, so plain files stand in for devices that come and go while the window is open.
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "gui/dialogs/dlg_com_list.h"
#include "gui_support.h"
#include "gui_tests.h"
#include "text/language_texts.h"

namespace {

QString Text(uint32_t id) {
    return QString::fromStdU16String(GetLanguageText(id));
}

}  // namespace

class PortDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        QVERIFY(m_links.isValid());
        UseLanguage(true);
    }

    std::string MakePort(const char* name) {
        const std::string path = (m_links.path() + "/" + name).toStdString();
        std::ofstream(path).put('\n');
        return path;
    }

    void savedPortIsPreselectedElseTheFirst() {
        const std::string a = MakePort("a"), b = MakePort("b");
        TestEnvironment env;
        qputenv("TALVERO_EXTRA_PORTS", QByteArray::fromStdString(a + ":" + b));
        for (const std::string& saved : {b, std::string("/dev/talvero-none")}) {
            CDlgComList dialog;
            dialog.m_selectedPort = saved;
            dialog.Initialise();
            const int at = dialog.List()->currentIndex();
            QVERIFY(at >= 0);
            // Without the saved port: the first USB adapter, else the first port.
            std::string expected = dialog.m_ports.front().port;
            for (const ComInfo& c : dialog.m_ports) {
                if (c.usb) {
                    expected = c.port;
                    break;
                }
            }
            if (saved == b) {
                expected = b;
            }
            QCOMPARE(dialog.m_ports[size_t(at)].port, expected);
        }
        qunsetenv("TALVERO_EXTRA_PORTS");
    }

    // Unplugging takes the port away and plugging in brings it back: the port that appears is
    // chosen, whichever row was selected before, and the watch ends by itself.
    void watchSelectsThePortThatAppears() {
        const std::string a = MakePort("c"), device = MakePort("device");
        const std::string link = (m_links.path() + "/cable").toStdString();
        std::filesystem::create_symlink(device, link);
        TestEnvironment env;
        qputenv("TALVERO_EXTRA_PORTS", QByteArray::fromStdString(a + ":" + link));

        CDlgComList dialog;
        dialog.m_watchIntervalMs = 20;
        dialog.m_selectedPort = a;
        dialog.Initialise();
        dialog.show();
        QTest::mouseClick(dialog.WatchButton(), Qt::LeftButton);
        QVERIFY(dialog.Watching());
        QCOMPARE(dialog.WatchStatus()->text(), Text(20021));
        QCOMPARE(dialog.WatchButton()->text(), Text(20023));

        std::filesystem::remove(link);  // unplugged
        QTest::qWait(100);
        QVERIFY(dialog.Watching());
        std::filesystem::create_symlink(device, link);  // plugged in again
        QTRY_VERIFY(!dialog.Watching());

        const int at = dialog.List()->currentIndex();
        QVERIFY(at >= 0);
        QCOMPARE(dialog.m_ports[size_t(at)].port, link);
        QVERIFY(dialog.WatchStatus()->text().contains(QString::fromStdString(link)));
        QCOMPARE(dialog.WatchButton()->text(), Text(20020));
        dialog.accept();
        QCOMPARE(dialog.m_selectedPort, link);
        qunsetenv("TALVERO_EXTRA_PORTS");
    }

    void stopWaitingEndsTheWatch() {
        TestEnvironment env;
        CDlgComList dialog;
        dialog.Initialise();
        dialog.show();
        QTest::mouseClick(dialog.WatchButton(), Qt::LeftButton);
        QVERIFY(dialog.Watching());
        QTest::mouseClick(dialog.WatchButton(), Qt::LeftButton);
        QVERIFY(!dialog.Watching());
        QVERIFY(dialog.WatchStatus()->text().isEmpty());
    }

  private:
    QTemporaryDir m_links;
};

static GuiTestRegistration<PortDialogTest> registration;

#include "port_dialog_test.moc"
