#include "gui/dialogs/dlg_diagnostic_report.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "text/language_texts.h"

namespace {

constexpr uint32_t kTextCaption = 10620;
constexpr uint32_t kTextContents = 10621;
constexpr uint32_t kTextIncludeConfiguration = 10622;
constexpr uint32_t kTextSave = 10623;
constexpr uint32_t kTextCancel = 101;
constexpr int kLineCharacters = 60;

QString Text(uint32_t id) {
    return QString::fromStdU16String(GetLanguageText(id));
}

}  // namespace

CDlgDiagnosticReport::CDlgDiagnosticReport(QWidget* parent)
    : QDialog(parent), m_configuration(new QCheckBox(Text(kTextIncludeConfiguration), this)) {
    setObjectName("diagnosticReportDialog");
    setWindowTitle(Text(kTextCaption));
    auto* label = new QLabel(Text(kTextContents), this);
    label->setObjectName("reportContents");
    label->setWordWrap(true);
    // Lines of about sixty characters of the user's font, whatever the language and scale.
    label->setMinimumWidth(label->fontMetrics().averageCharWidth() * kLineCharacters);
    m_configuration->setObjectName("includeConfiguration");
    m_configuration->setChecked(false);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(Text(kTextSave), QDialogButtonBox::AcceptRole);
    buttons->addButton(Text(kTextCancel), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_configuration);
    layout->addWidget(buttons);
    // A window's layout sets its least size without asking the wrapped text how tall it gets at
    // that width, which cuts the text off: the least height is the one the whole text needs at
    // the least width, and wider never needs more.
    ensurePolished();
    layout->activate();
    const int width = minimumWidth();
    setMinimumHeight(heightForWidth(width));
    resize(width, minimumHeight());
}

bool CDlgDiagnosticReport::IncludeConfiguration() const {
    return m_configuration->isChecked();
}
