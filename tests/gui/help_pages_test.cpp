// The help file the build makes: every page the contents name is in it, and the page "Command
// line" carries what the installed programs print for --help, each command of the tool included.
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include "gui/shell/chm_archive.h"
#include "gui_support.h"
#include "gui_tests.h"

namespace {

QString Help(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(BinDir() + "/" + program, arguments + QStringList{"--help"});
    if (!process.waitForFinished(10000) || process.exitCode() != 0) {
        return QString();
    }
    QString text = QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;");
}

}  // namespace

class HelpPagesTest : public QObject {
    Q_OBJECT
  private slots:
    void everyContentsEntryIsInTheFile() {
        ChmArchive chm;
        QVERIFY(chm.Open(BinDir() + "/talvero.chm"));
        QByteArray toc;
        QVERIFY(chm.Read("/toc.hhc", toc));
        const QRegularExpression local(QStringLiteral("name=\"Local\" value=\"([^\"]+)\""));
        int pages = 0;
        for (const auto& m : local.globalMatch(QString::fromUtf8(toc))) {
            QByteArray page;
            QVERIFY2(chm.Read("/" + m.captured(1), page) && !page.isEmpty(), qPrintable(m.captured(1)));
            ++pages;
        }
        QVERIFY(pages > 10);
    }

    void commandLinePageIsTheProgramsOwnHelp() {
        ChmArchive chm;
        QVERIFY(chm.Open(BinDir() + "/talvero.chm"));
        QByteArray data;
        QVERIFY(chm.Read("/command_line.htm", data));
        const QString page = QString::fromUtf8(data);
        const QString cli = Help("talvero-cli", {});
        QVERIFY(cli.contains("commands:"));
        QStringList expected{Help("talvero-radiosim", {}), cli};
        for (const auto& m : QRegularExpression(R"(\n  ([a-z][a-z0-9-]*) )").globalMatch(cli)) {
            expected << Help("talvero-cli", {m.captured(1)});
        }
        QVERIFY(expected.size() > 5);
        for (const QString& help : expected) {
            QVERIFY(!help.isEmpty());
            QVERIFY2(page.contains("<pre>" + help + "</pre>"), qPrintable(help.left(80)));
        }
        QVERIFY(page.contains("<pre>usage: talvero [FILE]"));
    }
};

static GuiTestRegistration<HelpPagesTest> g_helpPagesTest;

#include "help_pages_test.moc"
