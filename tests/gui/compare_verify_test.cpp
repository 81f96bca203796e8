// Verify after write, compare with a file and with the radio, the serial trace option and the
// diagnostic report, in the program's windows against the simulated radio; and the table of where
// each setting is edited, checked against every registered page.
#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>
#include <memory>

#include "../support/fast_timings.h"
#include "document/config_file.h"
#include "gui/dialogs/dlg_diagnostic_report.h"
#include "gui/dialogs/dlg_differences.h"
#include "gui/dialogs/gui_clone_host.h"
#include "gui/editor/list_view_base.h"
#include "gui/shell/command_table.h"
#include "gui/shell/radio_controller.h"
#include "gui_support.h"
#include "gui_tests.h"
#include "link/report_archive.h"
#include "pages/page_declaration.h"
#include "pages/setting_places.h"
#include "radio_simulator.h"
#include "text/language_texts.h"

namespace {

using Answer = IUserPrompts::Answer;
using Icon = IUserPrompts::Icon;

QString Text(uint32_t id) {
    return QString::fromStdU16String(GetLanguageText(id));
}

std::unique_ptr<RadioSimulator> StartRadio(RadioSimOptions options) {
    options.pace = false;
    options.ackTimeoutMs = 2000;
    auto sim = std::make_unique<RadioSimulator>(options);
    std::string error;
    if (!sim->Start(error)) {
        qFatal("simulated radio: %s", error.c_str());
    }
    return sim;
}

std::string CloneTextOf(const CTalveroDoc& doc) {
    std::vector<std::u16string> lines;
    doc.RenderSettings(lines, false);
    return CloneTextOfLines(lines);
}

// The program's own pages, a radio, and the frame on its port.
struct ComparingFrame {
    explicit ComparingFrame(const RadioSimOptions& options) : sim(StartRadio(options)) {
        t.frame->Radio().SetPort(sim->Path());
        t.frame->Radio().SetSpeed(115200);
    }
    TestEnvironment env;
    FrameUnderTest t;
    std::unique_ptr<RadioSimulator> sim;
};

CDlgDifferences* DifferencesWindow(QWidget* frame) {
    const auto windows = frame->findChildren<CDlgDifferences*>();
    return windows.isEmpty() ? nullptr : windows.last();
}

QTreeWidgetItem* FindRow(QTreeWidget* tree, const QString& key) {
    for (int p = 0; p < tree->topLevelItemCount(); ++p) {
        for (int r = 0; r < tree->topLevelItem(p)->childCount(); ++r) {
            if (tree->topLevelItem(p)->child(r)->text(1) == key) {
                return tree->topLevelItem(p)->child(r);
            }
        }
    }
    return nullptr;
}

}  // namespace

class CompareVerifyTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        RadioCommandTimings() = FastTimings(600);
        qputenv("XDG_DATA_HOME", m_home.path().toUtf8());
        qputenv("XDG_STATE_HOME", (m_home.path() + "/state").toUtf8());
    }
    void init() { UseLanguage(true); }

    // Every setting a registered page declares is in the table the command-line tool and the
    // comparisons name settings by; a new page that is not yet in the table fails here by name.
    void everyPageRowIsInTheSettingTable() {
        CTalveroDoc doc;
        PageContext context;
        context.document = &doc;
        QStringList unmapped;
        int pagesSeen = 0;
        for (uint32_t node : TestPages::AllPages()) {
            const PageFactory* factory = FindPageFactory(node);
            if (!factory) {
                continue;
            }
            QWidget parent;
            ISettingsPage* page = (*factory)(&parent, context);
            auto* view = dynamic_cast<CListViewBase*>(page);
            if (!view) {
                continue;
            }
            ++pagesSeen;
            for (const std::u16string& name : view->DeclaredSettings()) {
                bool found = false;
                for (const SettingPlace& place : SettingPlaces()) {
                    found = found || place.name == name;
                }
                if (!found) {
                    unmapped << QString("%1:%2").arg(node).arg(QString::fromStdU16String(name));
                }
            }
        }
        QVERIFY(pagesSeen > 20);
        QVERIFY2(unmapped.isEmpty(), qPrintable(unmapped.join(' ')));
    }

    // The differences window shows any setting a page declares: the page's view selects its row,
    // the pages that lay out their own grid (setting-mode permissions) included.
    void everyDeclaredSettingIsSelectable() {
        CTalveroDoc doc;
        PageContext context;
        context.document = &doc;
        QStringList missed;
        for (const PageDeclaration& declared : PageDeclarations()) {
            const PageFactory* factory = FindPageFactory(declared.nodeId);
            QVERIFY(factory);
            QWidget parent;
            auto* view = dynamic_cast<CListViewBase*>((*factory)(&parent, context));
            QVERIFY(view);
            auto expect = [&](const std::u16string& key, unsigned member) {
                if (!key.empty() && !view->SelectSetting(key, member)) {
                    missed << QString("%1:%2[%3]")
                                  .arg(declared.nodeId)
                                  .arg(QString::fromStdU16String(key))
                                  .arg(member);
                }
            };
            for (const PageRow& row : declared.rows) {
                expect(row.key, row.member);
            }
            if (declared.table) {
                for (const TableColumn& column : declared.table->columns) {
                    expect(column.cell.key, 0);
                    expect(column.cell.key, declared.table->members - 1);
                }
            }
        }
        QVERIFY2(missed.isEmpty(), qPrintable(missed.join(' ')));
    }

    void verifiedWriteSaysVerifiedOrNamesTheDifferences() {
        for (uint32_t alter : {0u, 1u}) {
            RadioSimOptions options;
            options.alterStoredBlock = alter;
            ComparingFrame f(options);
            ScriptedPrompts prompts;
            prompts.answers = {Answer::Yes, Answer::Yes, Answer::Ok};
            f.t.frame->ExecuteCommand(ID_OPTION_VERIFY_WRITE);
            QVERIFY(f.t.frame->Radio().VerifyAfterWrite());
            QVERIFY(f.t.frame->Action(ID_OPTION_VERIFY_WRITE)->isCheckable());
            f.t.frame->ExecuteCommand(ID_CLONE_WRITE);
            QVERIFY(!prompts.messages.isEmpty());
            if (alter == 0) {
                // The success text, then the time the write took.
                QVERIFY2(prompts.messages.last().startsWith(Text(10600)),
                         qPrintable(prompts.messages.last()));
                QCOMPARE(prompts.icons.last(), Icon::Information);
            } else {
                std::u16string key;
                AlterFirstValueFrom(CloneTextOf(f.t.document), 0, &key);
                const QString message = prompts.messages.last();
                QCOMPARE(prompts.icons.last(), Icon::Warning);
                QVERIFY2(message.contains("(" + QString::fromStdU16String(key) + ")"), qPrintable(message));
                const auto place = FindSettingPlace(key);
                QVERIFY(place.has_value());
                QVERIFY2(message.contains(Text(place->pageTitleId)), qPrintable(message));
                QVERIFY(f.t.frame->Radio().LastError() == message);
            }
            f.t.frame->ExecuteCommand(ID_OPTION_VERIFY_WRITE);  // the option is kept: put it back
        }
    }

    void compareWithRadioShowsTheDifferenceAndOpensItsRow() {
        CTalveroDoc radio;
        QVERIFY(radio.Set(u"tx_start_indi_tone", u"tone5"));
        RadioSimOptions options;
        options.configText = CloneTextOf(radio);
        ComparingFrame f(options);
        ScriptedPrompts prompts;
        f.t.frame->ExecuteCommand(ID_CLONE_COMPARE);
        CDlgDifferences* window = DifferencesWindow(f.t.frame.get());
        QVERIFY2(window, qPrintable(prompts.messages.join('\n')));
        QCOMPARE(window->Tree()->topLevelItemCount(), 1);
        QCOMPARE(window->Tree()->topLevelItem(0)->text(0), Text(2406));
        QTreeWidgetItem* row = FindRow(window->Tree(), "tx_start_indi_tone_01");
        QVERIFY(row);
        QCOMPARE(row->text(0), Text(3202));
        // As the page shows it, with the stored value after it.
        QCOMPARE(row->text(3), Text(2515) + QStringLiteral(" (tone5)"));
        emit window->Tree()->itemActivated(row, 0);
        auto* page = qobject_cast<CListViewBase*>(f.t.frame->CurrentPageView());
        QVERIFY(page);
        QVERIFY(static_cast<QWidget*>(page) == f.t.frame->PageViews().at(1007));
        QVERIFY(page->GetFocusedRow() >= 0);
        QCOMPARE(page->GetItemText(page->GetFocusedRow(), 0), Text(3202));
        window->close();
    }

    void compareWithFileMasksSecretsAndReportsADamagedFile() {
        TestEnvironment env;
        FrameUnderTest t;
        CTalveroDoc other;
        QVERIFY(other.Set(u"access_pass", u"Topsecret9"));
        const QString path = env.Path("other.ini");
        QVERIFY(SaveConfigurationFile(other, path.toStdString()).ok());
        ScriptedPrompts prompts;
        prompts.openName = path;
        t.frame->ExecuteCommand(ID_FILE_COMPARE);
        CDlgDifferences* window = DifferencesWindow(t.frame.get());
        QVERIFY(window);
        QTreeWidgetItem* row = FindRow(window->Tree(), "access_pass");
        QVERIFY(row);
        QCOMPARE(row->text(2), QString());
        QCOMPARE(row->text(3), QString("********"));
        QCOMPARE(window->Tree()->headerItem()->text(3), QString("other.ini"));
        window->close();

        WriteConfigFile(env.Path("damaged.ini"), {});
        QFile::resize(env.Path("damaged.ini"), 7);
        prompts.openName = env.Path("damaged.ini");
        t.frame->ExecuteCommand(ID_FILE_COMPARE);
        QCOMPARE(prompts.icons.last(), Icon::Stop);
        QVERIFY(prompts.messages.last().contains("damaged.ini"));
    }

    void tracedCommandsAndTheDiagnosticReport() {
        ComparingFrame f{RadioSimOptions{}};
        ScriptedPrompts prompts;
        f.t.frame->ExecuteCommand(ID_OPTION_TRACE);
        QVERIFY(f.t.frame->Radio().Tracing());
        prompts.onDialog = [](QDialog*) { return int(QDialog::Rejected); };
        f.t.frame->ExecuteCommand(ID_CLONE_INFORMATION);
        f.t.frame->ExecuteCommand(ID_OPTION_TRACE);

        bool asked = false;
        prompts.onDialog = [&asked](QDialog* dialog) {
            asked = qobject_cast<CDlgDiagnosticReport*>(dialog) != nullptr;
            return int(QDialog::Accepted);
        };
        prompts.saveName = f.env.Path("report.tar.gz");
        f.t.frame->ExecuteCommand(ID_HELP_DIAGNOSTIC_REPORT);
        QVERIFY(asked);
        QCOMPARE(prompts.icons.last(), Icon::Information);
        std::vector<ArchiveEntry> entries;
        QVERIFY(ReadTarGz(prompts.saveName.toStdString(), entries));
        QStringList names;
        for (const auto& e : entries) {
            names << QString::fromStdString(e.name);
        }
        QVERIFY2(names.contains("talvero-report/summary.txt"), qPrintable(names.join(' ')));
        QVERIFY(!names.contains("talvero-report/configuration.txt"));
        QVERIFY2(!names.filter(QRegularExpression("traces/.*-information\\.trace$")).isEmpty(),
                 qPrintable(names.join(' ')));
        QVERIFY(QString::fromStdString(entries[0].bytes).contains("toolkit: Qt 6"));

        prompts.onDialog = [](QDialog* dialog) {
            static_cast<CDlgDiagnosticReport*>(dialog)->ConfigurationBox()->setChecked(true);
            return int(QDialog::Accepted);
        };
        f.t.frame->ExecuteCommand(ID_HELP_DIAGNOSTIC_REPORT);
        QVERIFY(ReadTarGz(prompts.saveName.toStdString(), entries));
        QCOMPARE(entries.back().name, std::string("talvero-report/configuration.txt"));
    }

  private:
    QTemporaryDir m_home;
};

static GuiTestRegistration<CompareVerifyTest> registration;

#include "compare_verify_test.moc"
