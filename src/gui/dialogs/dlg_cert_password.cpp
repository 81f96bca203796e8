#include "gui/dialogs/dlg_cert_password.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "certs/cert_slot.h"
#include "gui/editor/k_edit.h"
#include "gui/shell/user_prompts.h"
#include "text/language_texts.h"

namespace {

QString Text(uint32_t id) {
    return QString::fromStdU16String(GetLanguageText(id));
}

}  // namespace

CDlgCertPassword::CDlgCertPassword(QWidget* parent) : QDialog(parent), m_passwordEdit(new KEdit(this)) {
    setWindowTitle(Text(kTextIdCertPasswordCaption));
    auto* label = new QLabel(Text(kTextIdCertPasswordLabel), this);
    label->setWordWrap(true);
    m_passwordEdit->setObjectName("password");
    m_passwordEdit->LiftLengthLimit();
    m_passwordEdit->m_maxChars = static_cast<int>(kCertPasswordMaxLength);
    for (char16_t c = u' '; c <= u'~'; ++c) {
        m_passwordEdit->m_allowedChars.append(QChar(c));
    }
    m_passwordEdit->m_asciiOnly = 1;
    m_passwordEdit->FilterAllowedChars();
    m_passwordEdit->DetachInputMethod();
    m_passwordEdit->setEchoMode(QLineEdit::Password);
    label->setBuddy(m_passwordEdit);

    // The platform's own OK and Cancel captions.
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgCertPassword::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDlgCertPassword::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_passwordEdit);
    layout->addWidget(buttons);
    setMinimumWidth(360);
    m_passwordEdit->setFocus();
}

void CDlgCertPassword::accept() {
    const std::u16string text = m_passwordEdit->text().toStdU16String();
    // Text set from outside the keyboard passes no filter; it is held to the same rule.
    if (!IsAcceptableCertPassword(text)) {
        return;
    }
    m_password = text;
    QDialog::accept();
}

bool AskCertPassword(QWidget* parent, std::u16string& password) {
    CDlgCertPassword dialog(parent);
    if (UserPrompts().ExecDialog(&dialog) != QDialog::Accepted || dialog.m_password.empty()) {
        return false;
    }
    password = dialog.m_password;
    return true;
}
