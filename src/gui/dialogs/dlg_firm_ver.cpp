#include "gui/dialogs/dlg_firm_ver.h"

#include <QDialogButtonBox>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/shell/user_prompts.h"
#include "text/language_texts.h"

namespace {

QString Text(uint32_t id) {
    return QString::fromStdU16String(GetLanguageText(id));
}

QFont PanelFont(int weight) {
    // Japanese systems get a face that has the kana a Japanese model name may hold.
    QFont font(QLocale::system().language() == QLocale::Japanese ? QString::fromUtf8("ＭＳ Ｐゴシック")
                                                                 : QStringLiteral("Arial"));
    font.setPixelSize(16);
    font.setWeight(static_cast<QFont::Weight>(weight));
    return font;
}

class FirmVerPanel : public QWidget {
  public:
    explicit FirmVerPanel(CDlgFirmVer* owner) : QWidget(owner), m_owner(owner) {
        setObjectName("panel");
        setMinimumSize(340, 90);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        m_owner->DrawPanel(painter, rect());
    }

  private:
    CDlgFirmVer* m_owner;
};

}  // namespace

CDlgFirmVer::CDlgFirmVer(QWidget* parent)
    : QDialog(parent),
      m_titleFont(PanelFont(700)),
      m_textFont(PanelFont(400)),
      m_panel(new FirmVerPanel(this)) {
    setWindowTitle(MessageBoxTitle());
    m_labels = {Text(2032), Text(2033), Text(2036)};
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(Text(100));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_panel);
    layout->addWidget(buttons);
}

void CDlgFirmVer::DrawPanel(QPainter& painter, const QRect& rect) const {
    const QColor band(0, 128, 128);
    painter.save();
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.fillRect(rect, Qt::white);
    // QRect's right/bottom are inclusive; the inner area ends one pixel before the outer edge.
    const int left = rect.left() + 1;
    const int top = rect.top() + 1;
    const int right = rect.right();  // exclusive
    painter.fillRect(QRect(QPoint(left, top), QPoint(right - 1, top + 17)), band);
    painter.setFont(m_titleFont);
    painter.setPen(Qt::white);
    painter.drawText(QRect(left + 4, top + 1, right - left - 4, 17), Qt::AlignLeft | Qt::AlignTop,
                     Text(2030));

    const QFontMetrics titleMetrics(m_titleFont);
    int widest = 0;
    for (const QString& label : m_labels) {
        widest = std::max(widest, titleMetrics.horizontalAdvance(label));
    }
    const int labelWidth = widest + 5;
    int y = top + 28;
    for (size_t row = 0; row < m_labels.size(); ++row, y += 18) {
        painter.setFont(m_titleFont);
        painter.setPen(band);
        painter.drawText(QRect(left, y, labelWidth, 18), Qt::AlignRight | Qt::AlignTop, m_labels[row]);
        painter.fillRect(QRect(left, y + 16, right - left, 1), QColor(128, 128, 128));
        painter.setFont(m_textFont);
        painter.setPen(Qt::black);
        painter.drawText(QRect(left + labelWidth + 7, y, std::max(0, right - (left + labelWidth + 7)), 18),
                         Qt::AlignLeft | Qt::AlignTop, m_values[row]);
    }
    painter.restore();
}
