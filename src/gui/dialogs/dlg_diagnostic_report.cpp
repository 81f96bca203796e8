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

QString Text(uint32_t id) {
    return QString::fromStdU16String(GetLanguageText(id));
}

}  // namespace

CDlgDiagnosticReport::CDlgDiagnosticReport(QWidget* parent)
    : QDialog(parent), m_configuration(new QCheckBox(Text(kTextIncludeConfiguration), this)) {
    setObjectName("diagnosticReportDialog");
    setWindowTitle(Text(kTextCaption));
    auto* label = new QLabel(Text(kTextContents), this);
    label->setWordWrap(true);
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
    resize(460, 0);
}

bool CDlgDiagnosticReport::IncludeConfiguration() const {
    return m_configuration->isChecked();
}
