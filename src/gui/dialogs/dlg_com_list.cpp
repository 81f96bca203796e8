#include "gui/dialogs/dlg_com_list.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/shell/user_prompts.h"
#include "text/language_texts.h"

namespace {

QString Text(uint32_t id) {
    return QString::fromStdU16String(GetLanguageText(id));
}

}  // namespace

void CComListBox::showPopup() {
    emit aboutToDrop();
    QComboBox::showPopup();
}

CDlgComList::CDlgComList(QWidget* parent) : QDialog(parent), m_list(new CComListBox(this)) {
    setWindowTitle(Text(9880));
    auto* label = new QLabel(Text(9881), this);
    label->setWordWrap(true);
    m_list->setObjectName("ports");
    m_list->setMinimumWidth(300);
    m_list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    label->setBuddy(m_list);
    connect(m_list, &CComListBox::aboutToDrop, this, [this] { Refresh(true); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(Text(100));
    buttons->button(QDialogButtonBox::Cancel)->setText(Text(101));
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgComList::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDlgComList::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
}

void CDlgComList::Refresh(bool fromDropDown) {
    const int before = m_list->currentIndex();
    std::string wanted = m_selectedPort;
    if (fromDropDown) {
        wanted =
            before >= 0 && size_t(before) < m_ports.size() ? m_ports[size_t(before)].port : std::string();
    }
    m_ports.clear();
    EnumComPorts(m_ports);
    std::stable_sort(m_ports.begin(), m_ports.end(),
                     [](const ComInfo& a, const ComInfo& b) { return NaturalLess(a.port, b.port); });

    const QSignalBlocker block(m_list);
    m_list->clear();
    int select = -1;
    for (size_t i = 0; i < m_ports.size(); ++i) {
        m_list->addItem(QString::fromStdU16String(m_ports[i].name));
        if (!wanted.empty() && m_ports[i].port == wanted) {
            select = int(i);
        }
    }
    if (select < 0) {
        // The port asked for is gone: keep the row the user had, or start at the first.
        select = fromDropDown ? std::min(before, m_list->count() - 1) : (m_list->count() > 0 ? 0 : -1);
    }
    m_list->setCurrentIndex(select);
}

void CDlgComList::accept() {
    const int index = m_list->currentIndex();
    if (index < 0 || size_t(index) >= m_ports.size()) {
        UserPrompts().Message(this, Text(9881), IUserPrompts::Icon::Stop, IUserPrompts::Buttons::Ok);
        return;
    }
    m_selectedPort = m_ports[size_t(index)].port;
    QDialog::accept();
}
