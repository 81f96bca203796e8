#include "gui/dialogs/dlg_com_list.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/shell/user_prompts.h"
#include "text/language_texts.h"

namespace {

constexpr uint32_t kTextWatch = 20020;
constexpr uint32_t kTextWaiting = 20021;
constexpr uint32_t kTextFound = 20022;
constexpr uint32_t kTextStopWatch = 20023;

QString Text(uint32_t id) {
    return QString::fromStdU16String(GetLanguageText(id));
}

std::vector<ComInfo> PresentPorts() {
    std::vector<ComInfo> ports;
    EnumComPorts(ports);
    std::stable_sort(ports.begin(), ports.end(),
                     [](const ComInfo& a, const ComInfo& b) { return NaturalLess(a.port, b.port); });
    return ports;
}

}  // namespace

void CComListBox::showPopup() {
    emit aboutToDrop();
    QComboBox::showPopup();
}

CDlgComList::CDlgComList(QWidget* parent)
    : QDialog(parent),
      m_list(new CComListBox(this)),
      m_watchButton(new QPushButton(Text(kTextWatch), this)),
      m_watchStatus(new QLabel(this)),
      m_watchTimer(new QTimer(this)) {
    setWindowTitle(Text(9880));
    auto* label = new QLabel(Text(9881), this);
    label->setWordWrap(true);
    m_list->setObjectName("ports");
    m_list->setMinimumWidth(300);
    m_list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    label->setBuddy(m_list);
    connect(m_list, &CComListBox::aboutToDrop, this, [this] { Refresh(true); });
    m_watchButton->setObjectName("watch");
    m_watchButton->setAutoDefault(false);
    connect(m_watchButton, &QPushButton::clicked, this, &CDlgComList::ToggleWatch);
    m_watchStatus->setWordWrap(true);
    m_watchStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    connect(m_watchTimer, &QTimer::timeout, this, &CDlgComList::PollPorts);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(Text(100));
    buttons->button(QDialogButtonBox::Cancel)->setText(Text(101));
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgComList::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDlgComList::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_list);
    layout->addWidget(m_watchButton, 0, Qt::AlignLeft);
    layout->addWidget(m_watchStatus);
    layout->addWidget(buttons);
}

void CDlgComList::Refresh(bool fromDropDown) {
    const int before = m_list->currentIndex();
    std::string wanted = m_selectedPort;
    if (fromDropDown) {
        wanted =
            before >= 0 && size_t(before) < m_ports.size() ? m_ports[size_t(before)].port : std::string();
    }
    m_ports = PresentPorts();
    int fallback = -1;
    if (fromDropDown) {
        // The port the user had is gone: keep the row where it was.
        fallback = std::min(before, int(m_ports.size()) - 1);
    } else {
        // No saved port here: the first USB adapter is the likeliest radio cable.
        const auto usb = std::find_if(m_ports.begin(), m_ports.end(), [](const ComInfo& c) { return c.usb; });
        fallback = usb != m_ports.end() ? int(usb - m_ports.begin()) : (m_ports.empty() ? -1 : 0);
    }
    Fill(wanted, fallback);
}

void CDlgComList::Fill(const std::string& wanted, int fallback) {
    const QSignalBlocker block(m_list);
    m_list->clear();
    int select = -1;
    for (size_t i = 0; i < m_ports.size(); ++i) {
        m_list->addItem(QString::fromStdU16String(m_ports[i].name));
        if (!wanted.empty() && m_ports[i].port == wanted) {
            select = int(i);
        }
    }
    m_list->setCurrentIndex(select >= 0 ? select : fallback);
}

void CDlgComList::ToggleWatch() {
    if (m_watcher) {
        StopWatch();
        m_watchStatus->clear();
        return;
    }
    m_watcher = std::make_unique<PortWatcher>(PresentPorts());
    m_watchButton->setText(Text(kTextStopWatch));
    m_watchStatus->setText(Text(kTextWaiting));
    m_watchTimer->start(m_watchIntervalMs);
}

void CDlgComList::StopWatch() {
    m_watchTimer->stop();
    m_watcher.reset();
    m_watchButton->setText(Text(kTextWatch));
}

void CDlgComList::PollPorts() {
    if (!m_watcher) {
        return;
    }
    std::vector<ComInfo> now = PresentPorts();
    const PortChanges changes = m_watcher->Update(now);
    if (changes.added.empty()) {
        return;
    }
    // The first port that appeared is the cable just plugged in.
    const ComInfo found = changes.added.front();
    m_ports = std::move(now);
    Fill(found.port, -1);
    StopWatch();
    m_watchStatus->setText(QString::fromStdU16String(FormatLanguageText(kTextFound, {found.name})));
}

void CDlgComList::accept() {
    const int index = m_list->currentIndex();
    if (index < 0 || size_t(index) >= m_ports.size()) {
        UserPrompts().Message(this, Text(9881), IUserPrompts::Icon::Stop, IUserPrompts::Buttons::Ok);
        return;
    }
    m_selectedPort = m_ports[size_t(index)].port;
    StopWatch();
    QDialog::accept();
}

void CDlgComList::reject() {
    StopWatch();
    QDialog::reject();
}
