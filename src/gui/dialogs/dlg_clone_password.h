#pragma once
// Asks for the radio's password when the radio requires one. The radio compares up to 16
// printable ASCII characters, so nothing else can be typed.
#include <QDialog>
#include <string>

class QLineEdit;

class CDlgClonePassword : public QDialog {
    Q_OBJECT
  public:
    explicit CDlgClonePassword(QWidget* parent = nullptr);

    QLineEdit* Edit() const { return m_edit; }
    std::u16string m_password;

  public slots:
    // An empty password is not a password: the dialog stays open.
    void accept() override;

  private:
    QLineEdit* m_edit;
};
