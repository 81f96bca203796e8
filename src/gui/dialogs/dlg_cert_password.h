#pragma once
// Asks for the password of a PKCS #12 certificate file. The slot keeps at most 63 printable ASCII
// characters, so nothing else can be typed; OK with an empty field does nothing.
#include <QDialog>
#include <string>

class KEdit;

class CDlgCertPassword : public QDialog {
    Q_OBJECT
  public:
    explicit CDlgCertPassword(QWidget* parent = nullptr);

    KEdit* Edit() const { return m_passwordEdit; }
    std::u16string m_password;

  public slots:
    void accept() override;

  private:
    KEdit* m_passwordEdit;
};

// The import's password prompt: the dialog through the user prompts; false when not confirmed.
bool AskCertPassword(QWidget* parent, std::u16string& password);
