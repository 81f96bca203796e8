// The diagnostic report dialog shows its whole explanation: the wrapped text gets the height it
// needs at the dialog's width, in English and Japanese, in the normal font and one twice as large,
// and still when the user shrinks the dialog as far as it goes.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QTest>

#include "gui/dialogs/dlg_diagnostic_report.h"
#include "gui_support.h"
#include "gui_tests.h"
#include "text/language_file.h"
#include "text/language_texts.h"

class DialogTextFitTest : public QObject {
    Q_OBJECT
  private slots:
    void cleanup() {
        QApplication::setFont(m_font);
        UseLanguage(true);
    }
    void diagnosticReportShowsItsWholeText_data();
    void diagnosticReportShowsItsWholeText();

  private:
    QFont m_font = QApplication::font();
};

void DialogTextFitTest::diagnosticReportShowsItsWholeText_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<qreal>("scale");
    QTest::newRow("English") << 0x0409 << 1.0;
    QTest::newRow("English, large font") << 0x0409 << 2.0;
    QTest::newRow("Japanese") << 0x0411 << 1.0;
    QTest::newRow("Japanese, large font") << 0x0411 << 2.0;
}

void DialogTextFitTest::diagnosticReportShowsItsWholeText() {
    QFETCH(int, language);
    QFETCH(qreal, scale);
    ClearLanguageTexts();
    QVERIFY(!SelectLanguageFiles((BinDir() + "/talvero").toStdString(), static_cast<uint16_t>(language), {})
                 .empty());
    QFont font = m_font;
    font.setPointSizeF(m_font.pointSizeF() * scale);
    QApplication::setFont(font);

    CDlgDiagnosticReport dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* label = dialog.findChild<QLabel*>("reportContents");
    QVERIFY(label != nullptr);
    QCOMPARE(label->text(), QString::fromStdU16String(GetLanguageText(10621)));
    const int line = label->fontMetrics().lineSpacing();
    // What is cut off, or nothing: the text wraps to more than one line, every line is inside
    // the label and the label ends above the check box.
    auto cut = [&]() -> QString {
        const int needed = label->heightForWidth(label->width());
        if (needed <= line) {
            return QString("one line: %1 px").arg(needed);
        }
        if (label->height() < needed) {
            return QString("%1 px of %2 px shown").arg(label->height()).arg(needed);
        }
        if (label->geometry().bottom() >= dialog.ConfigurationBox()->geometry().top()) {
            return "the text runs under the check box";
        }
        return {};
    };
    QVERIFY2(cut().isEmpty(), qPrintable(cut()));
    // Pictures to look at, e.g. under xvfb-run with QT_QPA_PLATFORM=xcb and QT_SCALE_FACTOR=2:
    // TALVERO_SHOTS=<folder> gui_radio_test DialogTextFitTest
    if (const QString folder = qEnvironmentVariable("TALVERO_SHOTS"); !folder.isEmpty()) {
        const QString tag = QString(QTest::currentDataTag()).replace(", ", "_").replace(' ', '_');
        QVERIFY(dialog.grab().save(folder + "/diagnostic_report_" + tag + ".png"));
    }
    dialog.resize(dialog.minimumSize());
    QVERIFY(QTest::qWaitFor([&] { return dialog.size() == dialog.minimumSize(); }));
    QCoreApplication::processEvents();
    QVERIFY2(cut().isEmpty(), qPrintable("shrunk: " + cut()));
}

static GuiTestRegistration<DialogTextFitTest> registration;
#include "dialog_text_fit_test.moc"
