#include "gui/dialogs/dlg_clone_password.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <algorithm>

#include "text/language_texts.h"

namespace {

QString Text(uint32_t id) {
    return QString::fromStdU16String(GetLanguageText(id));
}

}  // namespace

CDlgClonePassword::CDlgClonePassword(QWidget* parent) : QDialog(parent), m_edit(new QLineEdit(this)) {
    setWindowTitle(Text(2040));
    auto* label = new QLabel(Text(2041), this);
    m_edit->setObjectName("password");
    m_edit->setMaxLength(16);
    m_edit->setEchoMode(QLineEdit::Password);
    m_edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[\\x20-\\x7E]{0,16}")), m_edit));
    // The radio knows no composed characters; an input method could only produce refused text.
    m_edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    m_edit->setInputMethodHints(Qt::ImhLatinOnly | Qt::ImhNoPredictiveText | Qt::ImhSensitiveData);
    label->setBuddy(m_edit);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(Text(100));
    buttons->button(QDialogButtonBox::Cancel)->setText(Text(101));
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgClonePassword::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDlgClonePassword::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_edit);
    layout->addWidget(buttons);
}

void CDlgClonePassword::accept() {
    const QString text = m_edit->text();
    // Text set from outside the keyboard passes no validator; it is held to the same rule.
    const bool printable =
        std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u' ' && c <= u'~'; });
    if (text.isEmpty() || text.size() > 16 || !printable) {
        return;
    }
    m_password = text.toStdU16String();
    QDialog::accept();
}
