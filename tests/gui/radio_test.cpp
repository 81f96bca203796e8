// The radio commands of the main window against the simulated radio on a pseudo-terminal: read,
// write, information, initialization, firmware update, the port list, and every way the link
// can fail, each ending in its message with the document untouched.
#include <fcntl.h>
#include <grp.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QApplication>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "../support/fast_timings.h"
#include "gui/dialogs/dlg_clone_password.h"
#include "gui/dialogs/dlg_cloning.h"
#include "gui/dialogs/dlg_com_list.h"
#include "gui/dialogs/dlg_firm_ver.h"
#include "gui/dialogs/gui_clone_host.h"
#include "gui/shell/command_table.h"
#include "gui/shell/left_view.h"
#include "gui/shell/radio_controller.h"
#include "gui_support.h"
#include "gui_tests.h"
#include "radio_simulator.h"
#include "text/language_texts.h"

namespace {

using Answer = IUserPrompts::Answer;
using Icon = IUserPrompts::Icon;

QString Text(uint32_t id) {
    return QString::fromStdU16String(GetLanguageText(id));
}

RadioSimOptions FastRadio() {
    RadioSimOptions o;
    o.pace = false;
    o.ackTimeoutMs = 2000;
    return o;
}

std::unique_ptr<RadioSimulator> StartRadio(const RadioSimOptions& options) {
    auto sim = std::make_unique<RadioSimulator>(options);
    std::string error;
    if (!sim->Start(error)) {
        qFatal("simulated radio: %s", error.c_str());
    }
    return sim;
}

std::vector<std::u16string> RadioLines(const CTalveroDoc& doc) {
    std::vector<std::u16string> lines;
    doc.RenderSettings(lines, false);
    return lines;
}

QString KeyValueText(const std::vector<std::u16string>& lines) {
    QString text;
    for (const auto& line : lines) {
        text += QString::fromStdU16String(line) + "\n";
    }
    return text;
}

// A radio holding a document whose displayed name is `name`.
std::string StoredConfiguration(const std::u16string& name) {
    CTalveroDoc source;
    source.OnNewDocument();
    source.Set(u"disp_item", name);
    return CloneTextOfLines(RadioLines(source));
}

// Types the password into the password dialog and presses OK.
std::function<int(QDialog*)> TypePassword(const QString& password) {
    return [password](QDialog* dialog) {
        auto* ask = qobject_cast<CDlgClonePassword*>(dialog);
        if (!ask) {
            return int(QDialog::Rejected);
        }
        ask->Edit()->setText(password);
        ask->accept();
        return ask->result();
    };
}

struct RadioFrame {
    explicit RadioFrame(const RadioSimOptions& options) : sim(StartRadio(options)) {
        t.frame->Radio().SetPort(sim->Path());
        t.frame->Radio().SetSpeed(115200);
    }
    TestEnvironment env;
    TestPages pages{{1017}};
    FrameUnderTest t;
    std::unique_ptr<RadioSimulator> sim;
};

}  // namespace

class RadioTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        RadioCommandTimings() = FastTimings(600);
        qputenv("XDG_DATA_HOME", m_dataHome.path().toUtf8());
    }
    void init() { UseLanguage(true); }

    void readFillsDocumentAndShownPage() {
        RadioSimOptions options = FastRadio();
        options.configText = StoredConfiguration(u"name");
        RadioFrame r(options);
        ScriptedPrompts prompts;
        r.t.frame->show();
        r.t.frame->OnTreeSelChanged(std::nullopt, 1017);
        auto* page = qobject_cast<TestPage*>(r.t.frame->CurrentPageView());
        QVERIFY(page);
        r.t.frame->ExecuteCommand(ID_CLONE_READ);
        QCOMPARE(prompts.messages, QStringList());
        QCOMPARE(QString::fromStdU16String(r.t.document.Get(u"disp_item")), QString("name"));
        QCOMPARE(page->m_value->text(), QString("name"));  // refreshed, not reselected
        QVERIFY(r.t.document.GetPathName().empty());
        // The status bar says what was read from which radio, and names the backup, which holds
        // what was read: its file in the line, its whole path in the line's tip.
        const QString status = r.t.frame->StatusBar()->currentMessage();
        const QString tip = r.t.frame->StatusBar()->toolTip();
        QVERIFY2(status.startsWith("Read TLV-700: "), qPrintable(status));
        QVERIFY2(!status.contains(m_dataHome.path()), qPrintable(status));
        QVERIFY2(tip.contains(m_dataHome.path()), qPrintable(tip));
        QString backup = tip.mid(tip.indexOf(m_dataHome.path()));
        backup = backup.left(backup.indexOf(".ini") + 4);
        QVERIFY2(QFile::exists(backup), qPrintable(backup));
        QVERIFY2(status.endsWith(QFileInfo(backup).fileName()), qPrintable(status));
    }

    void readKeptWhenTheBackupCannotBeWritten() {
        RadioSimOptions options = FastRadio();
        options.configText = StoredConfiguration(u"name");
        RadioFrame r(options);
        const QString notAFolder = r.env.Path("plain-file");
        QFile file(notAFolder);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        qputenv("XDG_DATA_HOME", notAFolder.toUtf8());
        ScriptedPrompts prompts;
        r.t.frame->ExecuteCommand(ID_CLONE_READ);
        qputenv("XDG_DATA_HOME", m_dataHome.path().toUtf8());
        QCOMPARE(prompts.messages, QStringList());
        QCOMPARE(QString::fromStdU16String(r.t.document.Get(u"disp_item")), QString("name"));
        const QString failed = QString::fromStdU16String(FormatLanguageText(20011, {u""}));
        QVERIFY2(r.t.frame->StatusBar()->currentMessage().startsWith(failed),
                 qPrintable(r.t.frame->StatusBar()->currentMessage()));
    }

    void readCancelledAtSavePromptTouchesNothing() {
        RadioSimOptions options = FastRadio();
        options.configText = StoredConfiguration(u"date");
        RadioFrame r(options);
        QVERIFY(r.t.document.Set(u"disp_item", u"name"));
        QVERIFY(r.t.document.IsModified());
        ScriptedPrompts prompts;
        prompts.answers = {Answer::Cancel};
        r.t.frame->ExecuteCommand(ID_CLONE_READ);
        QCOMPARE(prompts.messages.size(), 1);  // the save question only
        QCOMPARE(QString::fromStdU16String(r.t.document.Get(u"disp_item")), QString("name"));
        QVERIFY(r.sim->ReceivedFrames().empty());
    }

    void failedReadEndsInItsText_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<uint32_t>("textId");
        QTest::newRow("wrong device code") << 0 << 2055u;
        QTest::newRow("rental unit") << 1 << 2055u;
        QTest::newRow("password refused") << 2 << 2066u;
        QTest::newRow("silent radio") << 3 << 2055u;
        QTest::newRow("bad total checksum") << 4 << 2055u;
        QTest::newRow("every copy of a block spoilt") << 6 << 2057u;
        QTest::newRow("port held by another program") << 7 << 2055u;
        QTest::newRow("radio falls silent after the read request") << 8 << 2055u;
        // Said as it is, not blamed on the radio or on the configuration.
        QTest::newRow("a file that is no serial port") << 9 << 20004u;
    }
    void failedReadEndsInItsText() {
        QFETCH(int, fault);
        QFETCH(uint32_t, textId);
        RadioSimOptions options = FastRadio();
        options.configText = StoredConfiguration(u"name");
        switch (fault) {
            case 0:
                options.code = std::string("KD7391#04");
                break;
            case 1:
                options.rental = std::string("1");
                break;
            case 2:
                options.auth = std::string("1");
                options.password = "right";
                break;
            case 3:
                options.silentAfter = 0;
                break;
            case 4:
                options.badTotalCrc = true;
                break;
            case 6:
                options.corruptBlock = 1;
                break;
            case 8:
                // Rate change and information request, rate change and read request.
                options.silentAfter = 4;
                break;
            default:
                break;
        }
        RadioFrame r(options);
        const QString plainFile = r.env.Path("not-a-port");
        if (fault == 9) {
            QFile file(plainFile);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.close();
            r.t.frame->Radio().SetPort(plainFile.toStdString());
        }
        // Another program holding the port, as a terminal program locks it.
        const int holder = fault == 7 ? ::open(r.sim->Path().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC) : -1;
        if (fault == 7) {
            QVERIFY(holder >= 0 && ::flock(holder, LOCK_EX | LOCK_NB) == 0);
        }
        const auto before = RadioLines(r.t.document);
        ScriptedPrompts prompts;
        prompts.onDialog = TypePassword("wrong");
        r.t.frame->ExecuteCommand(ID_CLONE_READ);
        QCOMPARE(prompts.messages.size(), 1);
        const QString expected =
            fault == 9 ? QString::fromStdU16String(FormatLanguageText(textId, {plainFile.toStdU16String()}))
                       : Text(textId);
        QVERIFY2(prompts.messages[0].startsWith(expected), qPrintable(prompts.messages[0]));
        QCOMPARE(prompts.icons[0], Icon::Stop);
        QCOMPARE(prompts.dialogs, fault == 2 ? QStringList{"CDlgClonePassword"} : QStringList());
        QVERIFY(RadioLines(r.t.document) == before);
        if (holder >= 0) {
            ::close(holder);
        }
        if (fault == 8) {
            const auto frames = r.sim->ReceivedFrames();
            QVERIFY(std::any_of(frames.begin(), frames.end(),
                                [](const Bytes& f) { return f.size() > 3 && f[3] == 0xE2; }));
        }
        QString help;  // the sentence that says why the port could not be used, if any
        if (fault == 7) {
            help = "is in use by another program";
        }
        QVERIFY2(help.isEmpty() ? !prompts.messages[0].contains("\n\n") : prompts.messages[0].contains(help),
                 qPrintable(prompts.messages[0]));
    }

    void cancelledPasswordEndsSilently() {
        RadioSimOptions options = FastRadio();
        options.auth = std::string("1");
        options.password = "right";
        options.configText = StoredConfiguration(u"name");
        RadioFrame r(options);
        ScriptedPrompts prompts;  // the password dialog is cancelled
        r.t.frame->ExecuteCommand(ID_CLONE_READ);
        QCOMPARE(prompts.messages, QStringList());
        QCOMPARE(prompts.dialogs, QStringList{"CDlgClonePassword"});
        QVERIFY(r.t.document.Get(u"disp_item") != u"name");
    }

    void readWithPassword() {
        RadioSimOptions options = FastRadio();
        options.auth = std::string("1");
        options.password = "right";
        options.configText = StoredConfiguration(u"name");
        RadioFrame r(options);
        ScriptedPrompts prompts;
        prompts.onDialog = TypePassword("right");
        r.t.frame->ExecuteCommand(ID_CLONE_READ);
        QCOMPARE(prompts.messages, QStringList());
        QCOMPARE(QString::fromStdU16String(r.t.document.Get(u"disp_item")), QString("name"));
        QCOMPARE(r.t.frame->Radio().Link().m_clonePassword, std::u16string(u"right"));
    }

    void writeSendsRadioLines_data() {
        QTest::addColumn<int>("wlanOnly");
        QTest::addColumn<int>("nakBlocks");
        QTest::addColumn<uint32_t>("textId");
        QTest::newRow("whole configuration") << 0 << 0 << 2059u;
        QTest::newRow("wireless LAN only") << 1 << 0 << 2059u;
        QTest::newRow("five refusals are retried") << 0 << 5 << 2059u;
        QTest::newRow("six refusals end it") << 0 << 6 << 2061u;
    }
    void writeSendsRadioLines() {
        QFETCH(int, wlanOnly);
        QFETCH(int, nakBlocks);
        QFETCH(uint32_t, textId);
        RadioSimOptions options = FastRadio();
        options.nakBlocks = uint32_t(nakBlocks);
        RadioFrame r(options);
        QVERIFY(r.t.document.Set(u"disp_item", u"name"));
        r.t.document.m_wlanOnly = wlanOnly;
        ScriptedPrompts prompts;
        prompts.answers = {Answer::Yes, Answer::Ok};
        r.t.frame->ExecuteCommand(ID_CLONE_WRITE);
        QCOMPARE(prompts.messages.size(), 2);
        QCOMPARE(prompts.messages[0], Text(2064));
        QVERIFY2(prompts.messages[1].startsWith(Text(textId)), qPrintable(prompts.messages[1]));
        if (textId == 2059u) {
            // A success says how long it took.
            static const QRegularExpression timeTaken("\\n\\nTime taken: [0-9]+\\.[0-9] s$");
            QVERIFY2(prompts.messages[1].contains(timeTaken), qPrintable(prompts.messages[1]));
            QCOMPARE(QString::fromStdString(KeyValueLinesOfCloneText(r.sim->StoredText())),
                     KeyValueText(RadioLines(r.t.document)));
        } else {
            QVERIFY(r.sim->StoredText().empty());
        }
    }

    void writeQuestions_data() {
        QTest::addColumn<bool>("accessPassword");
        QTest::addColumn<QList<Answer>>("answers");
        QTest::addColumn<QList<uint32_t>>("asked");
        QTest::addColumn<bool>("sent");
        QTest::newRow("no to the write")
            << false << QList<Answer>{Answer::No} << QList<uint32_t>{2064} << false;
        QTest::newRow("no to the access password")
            << true << QList<Answer>{Answer::No} << QList<uint32_t>{2065} << false;
        QTest::newRow("yes to both") << true << QList<Answer>{Answer::Yes, Answer::Yes, Answer::Ok}
                                     << QList<uint32_t>{2065, 2064, 2059} << true;
    }
    void writeQuestions() {
        QFETCH(bool, accessPassword);
        QFETCH(QList<Answer>, answers);
        QFETCH(QList<uint32_t>, asked);
        QFETCH(bool, sent);
        RadioFrame r(FastRadio());
        if (accessPassword) {
            QVERIFY(r.t.document.Set(u"access_pass", u"1234"));
        }
        ScriptedPrompts prompts;
        prompts.answers = answers;
        r.t.frame->ExecuteCommand(ID_CLONE_WRITE);
        QCOMPARE(prompts.messages.size(), asked.size());
        for (qsizetype i = 0; i < asked.size(); ++i) {
            // The success report carries the time taken after its text.
            QVERIFY2(prompts.messages[i].startsWith(Text(asked[i])), qPrintable(prompts.messages[i]));
        }
        QCOMPARE(!r.sim->StoredText().empty(), sent);
        QCOMPARE(!r.sim->ReceivedFrames().empty(), sent);
    }

    void duplicateIdEntryStopsTheWrite() {
        RadioFrame r(FastRadio());
        for (unsigned entry : {3u, 8u}) {
            QVERIFY(r.t.document.Set(u"id_type", entry, u"indi"));
            QVERIFY(r.t.document.Set(u"id", entry, u"00012"));
        }
        ScriptedPrompts prompts;
        prompts.answers = {Answer::Ok};
        r.t.frame->ExecuteCommand(ID_CLONE_WRITE);
        QCOMPARE(prompts.messages, QStringList{QString::fromStdU16String(FormatLanguageText(2074, {9}))});
        QVERIFY(prompts.messages[0].contains("9"));
        QCOMPARE(prompts.icons, QList<Icon>{Icon::Stop});
        QVERIFY(r.sim->ReceivedFrames().empty());
    }

    void searchFindsTheAcceptedRadio_data() {
        QTest::addColumn<bool>("acceptedRadio");
        QTest::newRow("second port answers") << true;
        QTest::newRow("no accepted radio") << false;
    }
    void searchFindsTheAcceptedRadio() {
        QFETCH(bool, acceptedRadio);
        RadioSimOptions foreign = FastRadio();
        foreign.code = std::string("KD7391#04");
        auto first = StartRadio(foreign);
        auto second = StartRadio(acceptedRadio ? FastRadio() : foreign);
        qputenv("TALVERO_EXTRA_PORTS", QByteArray::fromStdString(first->Path() + ":" + second->Path()));
        TestEnvironment env;
        FrameUnderTest t;
        t.frame->Radio().SetPort("/dev/ttyUSB7");
        ScriptedPrompts prompts;
        t.frame->ExecuteCommand(ID_COM_SEARCH);
        qunsetenv("TALVERO_EXTRA_PORTS");
        QCOMPARE(prompts.messages.size(), 1);
        if (acceptedRadio) {
            QCOMPARE(QString::fromStdString(t.frame->Radio().Link().m_comPort),
                     QString::fromStdString(second->Path()));
            QCOMPARE(
                prompts.messages[0],
                QString::fromStdU16String(FormatLanguageText(
                    2054, {QString::fromStdString(t.frame->Radio().Link().m_comPort).toStdU16String()})));
            QCOMPARE(prompts.icons[0], Icon::Information);
        } else {
            QCOMPARE(QString::fromStdString(t.frame->Radio().Link().m_comPort), QString("/dev/ttyUSB7"));
            QCOMPARE(prompts.messages[0], Text(2056));
            QCOMPARE(prompts.icons[0], Icon::Stop);
        }
    }

    // Over a whole read, and a whole write with its read-back, each progress window names its
    // phase and never takes back a figure: not the block, not the percentage, not the time left.
    // The blocks expected are known before the transfer, so the total never changes its mind.
    void progressNeverGoesBackwards() {
        RadioSimOptions options = FastRadio();
        options.pace = true;  // a transfer long enough to watch
        options.configText = StoredConfiguration(u"name");
        options.corruptBlock = 2;  // one block sent again
        options.corruptTimes = 1;
        RadioFrame r(options);
        r.t.frame->Radio().SetVerifyAfterWrite(true);
        ScriptedPrompts prompts;
        prompts.answers = {Answer::Yes, Answer::Ok};
        struct Sample {
            const CDlgCloning* window;
            QString phase, timeLeft;
            int bar;
            CloneProgressFigures figures;
            bool stoppable;
        };
        QList<Sample> samples;
        QTimer watch;
        // Runs on the UI thread while the transfer goes on: the window's event loop is alive.
        connect(&watch, &QTimer::timeout, [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* window = qobject_cast<CDlgCloning*>(w);
                if (!window || !window->isVisible() || window->WorkerDone()) {
                    continue;
                }
                samples << Sample{window,
                                  window->PhaseLabel()->text(),
                                  window->TimeLabel()->text(),
                                  window->ProgressBar()->value(),
                                  window->Figures(),
                                  window->CancelButton() != nullptr};
            }
        });
        watch.start(1);
        r.t.frame->ExecuteCommand(ID_CLONE_READ);
        r.t.frame->ExecuteCommand(ID_CLONE_WRITE);
        watch.stop();
        QCOMPARE(prompts.messages.size(), 2);  // the write's question and its success
        QSet<QString> phases;
        QSet<int> percents;
        for (int i = 1; i < samples.size(); ++i) {
            const Sample& a = samples[i - 1];
            const Sample& b = samples[i];
            phases << b.phase;
            if (a.window != b.window) {
                continue;  // the next command's window
            }
            const QString where = a.phase + " -> " + b.phase;
            QVERIFY2(b.bar >= a.bar, qPrintable(where));
            QVERIFY2(b.figures.percent >= a.figures.percent, qPrintable(where));
            QVERIFY2(b.figures.block >= a.figures.block, qPrintable(where));
            QVERIFY2(a.figures.secondsLeft < 0 || b.figures.secondsLeft <= a.figures.secondsLeft,
                     qPrintable(where + " " + a.timeLeft + " -> " + b.timeLeft));
            percents << b.figures.percent;
            // Stopping is offered where it leaves the radio as it was, and only there.
            switch (b.figures.phase) {
                case ClonePhase::kWriting:
                case ClonePhase::kConfirming:
                    QVERIFY2(!b.stoppable, qPrintable(b.phase));
                    break;
                case ClonePhase::kChecking:
                case ClonePhase::kReading:
                case ClonePhase::kVerifying:
                    QVERIFY2(b.stoppable, qPrintable(b.phase));
                    break;
                default:
                    break;
            }
        }
        for (const char* phase :
             {"Checking the radio…", "Reading block", "Writing block", "Verifying: reading back"}) {
            bool seen = false;
            for (const QString& p : phases) {
                seen = seen || p.startsWith(QString::fromUtf8(phase));
            }
            QVERIFY2(seen,
                     qPrintable(QString::fromUtf8(phase) + ": " + QStringList(phases.values()).join('|')));
        }
        QVERIFY2(percents.size() >= 3, qPrintable(QString::number(percents.size())));
    }

    // Cancel stops what leaves the radio as it was: between blocks, with nothing changed, no
    // failure message, the port closed, and the radio ready for the next command. A write offers
    // no Cancel and says why.
    void cancelStopsARead() {
        RadioSimOptions options = FastRadio();
        options.pace = true;
        options.configText = StoredConfiguration(u"date");
        RadioFrame r(options);
        r.t.frame->Radio().SetSpeed(9600);
        QVERIFY(r.t.document.Set(u"disp_item", u"name"));
        r.t.document.SetModifiedFlag(false);
        const auto before = RadioLines(r.t.document);
        ScriptedPrompts prompts;
        QString noStop;
        bool pressed = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* window = qobject_cast<CDlgCloning*>(w);
                if (!window || !window->isVisible() || window->WorkerDone()) {
                    continue;
                }
                if (window->NoStopLabel()) {
                    noStop = window->NoStopLabel()->text();
                    QTest::keyClick(window, Qt::Key_Escape);  // ignored
                } else if (!pressed && window->Figures().phase == ClonePhase::kReading &&
                           window->Figures().block >= 1) {
                    pressed = true;
                    QTest::keyClick(window, Qt::Key_Escape);
                    QCOMPARE(window->PhaseLabel()->text(), QString("Stopping…"));
                    QVERIFY(!window->CancelButton()->isEnabled());
                }
            }
        });
        watch.start(1);
        r.t.frame->ExecuteCommand(ID_CLONE_READ);
        QVERIFY(pressed);
        QCOMPARE(prompts.messages, QStringList());
        QVERIFY(RadioLines(r.t.document) == before);
        QVERIFY(!r.t.document.IsModified());
        const QString device = QString::fromStdString(r.sim->Path());
        for (const QFileInfo& fd : QDir("/proc/self/fd").entryInfoList(QDir::System | QDir::NoDotAndDotDot)) {
            QVERIFY2(fd.symLinkTarget() != device, qPrintable(fd.filePath()));
        }
        // The write that follows cannot be stopped, says so, and goes through.
        r.t.frame->Radio().SetSpeed(115200);
        prompts.answers = {Answer::Yes, Answer::Ok};
        r.t.frame->ExecuteCommand(ID_CLONE_WRITE);
        watch.stop();
        QVERIFY2(noStop.contains("half-written"), qPrintable(noStop));
        QCOMPARE(prompts.messages.size(), 2);
        QVERIFY2(prompts.messages[1].startsWith(Text(2059)), qPrintable(prompts.messages[1]));
    }

    // A radio unplugged halfway through a transfer: the command ends in its failure text, the
    // document is as it was, the port is closed and the window takes the next command.
    void radioVanishingMidTransfer_data() {
        QTest::addColumn<uint32_t>("command");
        QTest::newRow("read") << uint32_t(ID_CLONE_READ);
        QTest::newRow("write") << uint32_t(ID_CLONE_WRITE);
    }
    void radioVanishingMidTransfer() {
        QFETCH(uint32_t, command);
        RadioSimOptions options = FastRadio();
        options.pace = true;
        options.configText = StoredConfiguration(u"name");
        // The cable is pulled past the transfer's first data frames, whatever the machine's speed.
        options.vanishAfterData = 4;
        RadioFrame r(options);
        r.t.frame->Radio().SetSpeed(9600);
        r.t.frame->show();
        const auto before = RadioLines(r.t.document);
        ScriptedPrompts prompts;
        prompts.answers = {Answer::Yes, Answer::Ok};
        r.t.frame->ExecuteCommand(command);
        QVERIFY(RadioLines(r.t.document) == before);
        QCOMPARE(prompts.icons.back(), Icon::Stop);
        QVERIFY2(
            prompts.messages.back().startsWith(Text(2055)) || prompts.messages.back().startsWith(Text(2061)),
            qPrintable(prompts.messages.back()));
        // No descriptor of this program still holds the vanished port.
        const QString device = QString::fromStdString(r.sim->Path());
        for (const QFileInfo& fd : QDir("/proc/self/fd").entryInfoList(QDir::System | QDir::NoDotAndDotDot)) {
            QVERIFY2(fd.symLinkTarget() != device, qPrintable(fd.filePath()));
        }
        // The window goes on: a new radio on the same command works.
        RadioSimOptions again = FastRadio();
        again.configText = StoredConfiguration(u"date");
        auto second = StartRadio(again);
        r.t.frame->Radio().SetPort(second->Path());
        r.t.frame->Radio().SetSpeed(115200);
        prompts.answers = {Answer::Yes, Answer::Ok};
        r.t.frame->ExecuteCommand(ID_CLONE_INFORMATION);
        QCOMPARE(prompts.dialogs.back(), QString("CDlgFirmVer"));
    }

    // A saved port that is no device here: with exactly one USB serial adapter present the command
    // uses it and says so; otherwise nothing is sent and the message lists the ports that exist
    // and where to choose one.
    void firstStartPortChoice_data() {
        QTest::addColumn<QStringList>("usbPorts");
        QTest::addColumn<QStringList>("otherPorts");
        QTest::newRow("one USB adapter") << QStringList{"ttyUSB0"} << QStringList{"ttyS0"};
        QTest::newRow("no port at all") << QStringList{} << QStringList{};
        QTest::newRow("two USB adapters") << QStringList{"ttyUSB0", "ttyUSB1"} << QStringList{};
        QTest::newRow("only a built-in port") << QStringList{} << QStringList{"ttyS0"};
    }
    void firstStartPortChoice() {
        QFETCH(QStringList, usbPorts);
        QFETCH(QStringList, otherPorts);
        RadioFrame r(FastRadio());
        // A machine of its own: class folders under sys, devices under dev; a USB adapter's device
        // carries its maker's and product's names. Every device is the simulated radio.
        const QString sys = r.env.Path("sys"), dev = r.env.Path("dev");
        QVERIFY(QDir().mkpath(dev));
        for (const QStringList* list : {&usbPorts, &otherPorts}) {
            for (const QString& name : *list) {
                const QString device = sys + "/" + name + "/device";
                QVERIFY(QDir().mkpath(device));
                if (list == &usbPorts) {
                    QFile product(device + "/product"), maker(device + "/manufacturer");
                    QVERIFY(product.open(QIODevice::WriteOnly) && maker.open(QIODevice::WriteOnly));
                    product.write("USB Serial\n");
                    maker.write("Acme\n");
                }
                QVERIFY(QFile::link(QString::fromStdString(r.sim->Path()), dev + "/" + name));
            }
        }
        r.t.frame->Radio().SetPortSource([sys, dev] {
            std::vector<ComInfo> ports;
            EnumComPorts(ports, sys.toStdString(), dev.toStdString());
            return ports;
        });
        // Nothing saved: the only USB adapter is taken; otherwise no port is chosen, and the status
        // bar says so rather than naming a port that does not exist.
        QSettings().remove("Global/ComPort");
        r.t.frame->Radio().LoadLinkSettings();
        if (usbPorts.size() == 1) {
            QCOMPARE(QString::fromStdString(r.t.frame->Radio().Link().m_comPort), dev + "/ttyUSB0");
        } else {
            QCOMPARE(QString::fromStdString(r.t.frame->Radio().Link().m_comPort), QString());
            QCOMPARE(r.t.frame->Radio().LinkDescription(), QString("No port chosen   Speed: 38400 bit/s"));
        }
        r.t.frame->Radio().SetSpeed(115200);
        r.t.frame->Radio().SetPort("1");
        r.t.frame->show();
        ScriptedPrompts prompts;
        r.t.frame->Action(ID_CLONE_INFORMATION)->trigger();
        if (usbPorts.size() == 1) {
            const QString chosen = dev + "/ttyUSB0";
            QCOMPARE(QString::fromStdString(r.t.frame->Radio().Link().m_comPort), chosen);
            QCOMPARE(prompts.messages, QStringList());
            QCOMPARE(prompts.dialogs, QStringList{"CDlgFirmVer"});  // the radio answered
            QCOMPARE(r.t.frame->StatusBar()->currentMessage(),
                     QString("The saved port 1 is not present: using Acme USB Serial (%1), the only USB "
                             "serial adapter.")
                         .arg(chosen));
            QCOMPARE(r.t.frame->LinkPane()->text(), QString("Port: %1   Speed: 115200 bit/s").arg(chosen));
            return;
        }
        QCOMPARE(QString::fromStdString(r.t.frame->Radio().Link().m_comPort), QString("1"));
        QVERIFY(r.sim->ReceivedFrames().empty());
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.icons, QList<Icon>{Icon::Stop});
        const QString& message = prompts.messages[0];
        QVERIFY2(message.startsWith("There is no device at 1") && message.contains("COM Port > More"),
                 qPrintable(message));
        for (const QString& name : usbPorts + otherPorts) {
            QVERIFY2(message.contains(dev + "/" + name), qPrintable(message));
        }
        if (usbPorts.isEmpty() && otherPorts.isEmpty()) {
            QVERIFY2(message.contains("no serial port is present"), qPrintable(message));
        }
    }

    void information_data() {
        QTest::addColumn<bool>("withBluetooth");
        QTest::addColumn<bool>("passwordProtected");
        QTest::newRow("all three values") << true << false;
        QTest::newRow("no Bluetooth version") << false << false;
        QTest::newRow("protected radio: no password asked") << true << true;
    }
    void information() {
        QFETCH(bool, withBluetooth);
        QFETCH(bool, passwordProtected);
        RadioSimOptions options = FastRadio();
        if (passwordProtected) {
            options.auth = std::string("1");
            options.password = "right";
        }
        options.model = "TLV-750";
        options.ver = "3.02.01";
        if (!withBluetooth) {
            options.btVer.reset();
        }
        RadioFrame r(options);
        ScriptedPrompts prompts;
        std::array<QString, 3> shown;
        QImage image;
        prompts.onDialog = [&](QDialog* dialog) {
            auto* info = qobject_cast<CDlgFirmVer*>(dialog);
            if (info) {
                shown = info->m_values;
                image = QImage(360, 100, QImage::Format_RGB32);
                QPainter painter(&image);
                info->DrawPanel(painter, image.rect());
            }
            return int(QDialog::Accepted);
        };
        r.t.frame->ExecuteCommand(ID_CLONE_INFORMATION);
        QCOMPARE(prompts.messages, QStringList());
        QCOMPARE(prompts.dialogs, QStringList{"CDlgFirmVer"});
        QCOMPARE(shown[0], QString("TLV-750"));
        QCOMPARE(shown[1], QString("3.02.01"));
        QCOMPARE(shown[2], withBluetooth ? QString("2.10") : QString());
        // White frame, the title band inside it, a grey rule under the first row.
        QCOMPARE(image.pixelColor(0, 0), QColor(Qt::white));
        QCOMPARE(image.pixelColor(1, 1), QColor(0, 128, 128));
        QCOMPARE(image.pixelColor(358, 18), QColor(0, 128, 128));
        QCOMPARE(image.pixelColor(1, 19), QColor(Qt::white));
        QCOMPARE(image.pixelColor(350, 1 + 28 + 16), QColor(128, 128, 128));
    }

    void initialization_data() {
        QTest::addColumn<Answer>("answer");
        QTest::newRow("yes") << Answer::Yes;
        QTest::newRow("no") << Answer::No;
    }
    void initialization() {
        QFETCH(Answer, answer);
        RadioFrame r(FastRadio());
        ScriptedPrompts prompts;
        prompts.answers = {answer, Answer::Ok};
        r.t.frame->ExecuteCommand(ID_CLONE_INITIALIZATION);
        if (answer == Answer::Yes) {
            QCOMPARE(prompts.messages, (QStringList{Text(2073), Text(2071)}));
            QCOMPARE(QString::fromStdString(KeyValueLinesOfCloneText(r.sim->StoredText())),
                     QString("init=0x0E\n"));
        } else {
            QCOMPARE(prompts.messages, QStringList{Text(2073)});
            QVERIFY(r.sim->ReceivedFrames().empty());
        }
    }

    void firmwareUpdate_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<uint32_t>("status");
        QTest::addColumn<uint32_t>("textId");
        QTest::addColumn<int>("folderDepth");
        QTest::newRow("small image") << 200 << 0u << 2058u << 0;
        QTest::newRow("radio refuses the image") << 200 << 1u << 2062u << 0;
        QTest::newRow("empty file") << 0 << 0u << 2055u << 0;
        // A path far longer than 519 characters is sent whole, not cut to another file's name.
        QTest::newRow("long path") << 200 << 0u << 2058u << 8;
    }
    void firmwareUpdate() {
        QFETCH(int, size);
        QFETCH(uint32_t, status);
        QFETCH(uint32_t, textId);
        QFETCH(int, folderDepth);
        RadioSimOptions options = FastRadio();
        options.status = status;
        RadioFrame r(options);
        QByteArray image;
        for (int i = 0; i < size; ++i) {
            image.append(char(i * 7 + 1));
        }
        QString folder = r.env.Path("");
        for (int i = 0; i < folderDepth; ++i) {
            folder += QString(100, QChar(u'a' + i)) + "/";
        }
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + "radio.bin";
        QVERIFY(folderDepth == 0 || path.size() > 800);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(image);
        file.close();
        ScriptedPrompts prompts;
        prompts.openName = path;
        prompts.answers = {Answer::Yes, Answer::Ok};
        r.t.frame->ExecuteCommand(ID_FIRMWARE_UPDATE);
        QCOMPARE(prompts.filters, QStringList{Text(2100)});
        QCOMPARE(prompts.messages.size(), 2);
        QCOMPARE(prompts.messages[0], Text(2063));
        QVERIFY2(prompts.messages[1].startsWith(Text(textId)), qPrintable(prompts.messages[1]));
        if (textId == 2058u) {
            const QByteArray received = QByteArray::fromStdString(r.sim->FirmwareImage());
            QCOMPARE(received.size(), 320);
            QCOMPARE(received.left(size), image);
        }
    }

    void portHelpNamesTheCause() {
        const QString path = m_dataHome.filePath("tty-like");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        // Joining the owning group is advised only where that group may read and write the port;
        // a device only its owner may use needs its permissions changed, not a group.
        const group* dialout = ::getgrnam("dialout");
        const gid_t gid = dialout ? dialout->gr_gid : ::getgid();
        if (gid != 0 && ::chown(path.toLocal8Bit().constData(), uid_t(-1), gid) == 0) {
            ::chmod(path.toLocal8Bit().constData(), 0660);
            const QString owner = QFileInfo(path).group();
            const QString denied = PortOpenHelp(ErrorInfo{5, EACCES, "cannot open"}, path.toStdString());
            QVERIFY2(denied.contains(path) && denied.contains("\"" + owner + "\""), qPrintable(denied));
        }
        ::chmod(path.toLocal8Bit().constData(), 0600);
        QCOMPARE(PortOpenHelp(ErrorInfo{5, EACCES, "cannot open"}, path.toStdString()),
                 QString::fromStdU16String(FormatLanguageText(20001, {path.toStdU16String()})));
        QVERIFY(!PortOpenHelp(ErrorInfo{5, EACCES, "cannot open"}, path.toStdString()).contains("usermod"));
        QVERIFY(
            PortOpenHelp(ErrorInfo{5, EBUSY, "cannot open"}, path.toStdString()).contains("another program"));
        QVERIFY(PortOpenHelp(ErrorInfo{1460, 0, "no reply"}, path.toStdString()).isEmpty());
        // A firmware file that is missing is not a missing port.
        QCOMPARE(FailureText(2055, ErrorInfo{2, ENOENT, "firmware image /x"}, "/dev/ttyUSB0"), Text(2055));
    }

    void progressWindowCannotBeClosed() {
        CDlgCloning dialog;
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QTest::keyClick(&dialog, Qt::Key_Return);
        dialog.close();
        dialog.reject();
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.WorkerDone());
    }

    void passwordField() {
        CDlgClonePassword dialog;
        QCOMPARE(dialog.Edit()->maxLength(), 16);
        QVERIFY(!dialog.Edit()->testAttribute(Qt::WA_InputMethodEnabled));
        dialog.show();
        dialog.accept();  // empty: stays open
        QVERIFY(dialog.isVisible());
        dialog.Edit()->setText(QString::fromUtf8("ab\tc"));  // set from outside: still refused
        dialog.accept();
        QVERIFY(dialog.isVisible());
        dialog.Edit()->clear();
        QTest::keyClicks(dialog.Edit(), "ab c~");
        dialog.Edit()->insert(QString::fromUtf8("\xC3\xA9"));
        QCOMPARE(dialog.Edit()->text(), QString("ab c~"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.m_password, std::u16string(u"ab c~"));
    }

    void portListWithoutPortsRefusesOk() {
        CDlgComList dialog;  // not filled: no port to choose
        ScriptedPrompts prompts;
        dialog.show();
        dialog.accept();
        QCOMPARE(prompts.messages, QStringList{Text(9881)});
        QCOMPARE(prompts.icons, QList<Icon>{Icon::Stop});
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.m_selectedPort.empty());
    }

    void portListKeepsChoice() {
        auto first = StartRadio(FastRadio());
        auto second = StartRadio(FastRadio());
        qputenv("TALVERO_EXTRA_PORTS", QByteArray::fromStdString(second->Path() + ":" + first->Path()));
        TestEnvironment env;
        FrameUnderTest t;
        t.frame->Radio().SetPort(second->Path());
        ScriptedPrompts prompts;
        QStringList shown;
        QString initial;
        auto third = StartRadio(FastRadio());  // plugged in while the window is open
        const QString thirdName = QString::fromStdString(third->Path());
        bool thirdBefore = true;
        bool thirdAfter = false;
        prompts.onDialog = [&](QDialog* dialog) {
            auto* list = qobject_cast<CDlgComList*>(dialog);
            for (int i = 0; list && i < list->List()->count(); ++i) {
                shown << list->List()->itemText(i);
            }
            initial = list->List()->currentText();
            list->List()->setCurrentIndex(shown.indexOf(QString::fromStdString(first->Path())));
            thirdBefore = list->List()->findText(thirdName) >= 0;
            qputenv("TALVERO_EXTRA_PORTS",
                    QByteArray::fromStdString(second->Path() + ":" + first->Path() + ":" + third->Path()));
            list->show();
            list->List()->showPopup();  // dropping the list down reads the ports again
            list->List()->hidePopup();
            thirdAfter = list->List()->findText(thirdName) >= 0;
            list->accept();
            return list->result();
        };
        t.frame->ExecuteCommand(ID_COM_MORE);
        qunsetenv("TALVERO_EXTRA_PORTS");
        const qsizetype a = shown.indexOf(QString::fromStdString(first->Path()));
        const qsizetype b = shown.indexOf(QString::fromStdString(second->Path()));
        QVERIFY(a >= 0 && b >= 0);
        QCOMPARE(initial, QString::fromStdString(second->Path()));
        QCOMPARE(a < b, NaturalLess(first->Path(), second->Path()));
        QCOMPARE(QString::fromStdString(t.frame->Radio().Link().m_comPort),
                 QString::fromStdString(first->Path()));  // the choice survived
        QVERIFY(!thirdBefore);
        QVERIFY(thirdAfter);
    }

  private:
    QTemporaryDir m_dataHome;
};

static GuiTestRegistration<RadioTest> registration;

#include "radio_test.moc"
