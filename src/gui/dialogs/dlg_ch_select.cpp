#include "gui/dialogs/dlg_ch_select.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "gui/shell/user_prompts.h"
#include "text/language_texts.h"

namespace {

constexpr uint32_t kTextPrompt = 10200, kTextCaption = 10201, kTextFirstChannel = 10202,
                   kTextNoChannel = 10215;
constexpr int kBoxesPerRow = 4;

QString Text(uint32_t id) {
    return QString::fromStdU16String(GetLanguageText(id));
}

// The number a part starts with, after blanks; 0 when it starts with none or is too long to be a
// channel.
int LeadingNumber(std::u16string_view part) {
    size_t i = 0;
    while (i < part.size() && (part[i] == u' ' || part[i] == u'\t')) {
        ++i;
    }
    int value = 0;
    for (; i < part.size() && part[i] >= u'0' && part[i] <= u'9'; ++i) {
        value = value * 10 + (part[i] - u'0');
        if (value > 1000) {
            return 0;
        }
    }
    return value;
}

}  // namespace

CDlgchSelect::CDlgchSelect(const std::u16string& channels, QWidget* parent)
    : QDialog(parent), m_channels(channels) {
    setWindowTitle(Text(kTextCaption));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Text(kTextPrompt), this));
    auto* grid = new QGridLayout;
    for (int ch = 1; ch <= kChannels; ++ch) {
        auto* box = new QCheckBox(Text(kTextFirstChannel + ch - 1), this);
        box->setObjectName(QStringLiteral("channel%1").arg(ch));
        m_boxes[ch - 1] = box;
        grid->addWidget(box, (ch - 1) / kBoxesPerRow, (ch - 1) % kBoxesPerRow);
    }
    layout->addLayout(grid);

    std::u16string_view rest = m_channels;
    for (;;) {
        const size_t comma = rest.find(u',');
        const int ch = LeadingNumber(rest.substr(0, comma));
        if (ch >= 1 && ch <= kChannels) {
            m_boxes[ch - 1]->setChecked(true);
        }
        if (comma == std::u16string_view::npos) {
            break;
        }
        rest.remove_prefix(comma + 1);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgchSelect::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDlgchSelect::reject);
    layout->addWidget(buttons);
}

void CDlgchSelect::accept() {
    std::u16string list;
    for (int ch = 1; ch <= kChannels; ++ch) {
        if (m_boxes[ch - 1]->isChecked()) {
            if (!list.empty()) {
                list.push_back(u',');
            }
            list += QString::number(ch).toStdU16String();
        }
    }
    if (list.empty()) {
        UserPrompts().Message(this, Text(kTextNoChannel), IUserPrompts::Icon::Stop,
                              IUserPrompts::Buttons::Ok);
        return;
    }
    m_channels = list;
    QDialog::accept();
}
