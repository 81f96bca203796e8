#pragma once
// Asks what goes into a diagnostic report: the text says what it always holds (versions, ports,
// the last radio traces with secrets masked, the last error); the configuration goes in only when
// the user ticks it.
#include <QDialog>

class QCheckBox;

class CDlgDiagnosticReport : public QDialog {
    Q_OBJECT
  public:
    explicit CDlgDiagnosticReport(QWidget* parent = nullptr);

    bool IncludeConfiguration() const;
    QCheckBox* ConfigurationBox() const { return m_configuration; }

  private:
    QCheckBox* m_configuration;
};
