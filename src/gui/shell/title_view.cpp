#include "gui/shell/title_view.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPainter>

#include "gui/shell/help_window.h"
#include "gui/shell/main_frame.h"
#include "platform/k_file_version.h"
#include "text/language_texts.h"

namespace {
constexpr uint32_t kTextVersion = 20065;  // %u.%02u: major, minor
constexpr uint32_t kTextDescription = 20066;
}  // namespace

namespace {

QFont TitleFont(const QString& face, int pixelHeight, int weight) {
    QFont font(face);
    font.setPixelSize(pixelHeight);
    font.setWeight(weight >= 700 ? QFont::Bold : QFont::Normal);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

}  // namespace

CTitleView::CTitleView(CMainFrame* frame, QWidget* parent, const VersionBlock* block)
    : QWidget(parent), m_frame(frame) {
    QString face = QApplication::font().family();
    const bool available = QFontDatabase::families().contains(face);
    if (!available) {
        face = "Arial";
    }
    // The Japanese face of the description line; fontconfig substitutes a Gothic face on Linux.
    const QString japanese = available ? QString::fromUtf8("ＭＳ Ｐゴシック") : face;
    m_titleFonts = {TitleFont(face, 34, 700), TitleFont(face, 13, 700), TitleFont(japanese, 20, 700),
                    TitleFont(face, 16, 400)};

    KFileVersion version(block);
    if (version.ReadVersionBlock()) {
        m_productText = QString::fromStdU16String(version.m_productName);
        m_versionText =
            QString::fromStdU16String(FormatLanguageText(kTextVersion, {version.Major(), version.Minor()}));
        // The description in the language of the interface; the version block's where none is loaded.
        m_descriptionText =
            QString::fromStdU16String(HasLanguageText(kTextDescription) ? GetLanguageText(kTextDescription)
                                                                        : version.m_fileDescription);
        m_legalText = QString::fromStdU16String(version.m_legalNotice);
    }
    setAutoFillBackground(false);
}

CTitleView::~CTitleView() {
    if (m_document) {
        m_document->RemoveObserver(this);
    }
}

void CTitleView::AttachDocument(CTalveroDoc* document) {
    if (m_document) {
        m_document->RemoveObserver(this);
    }
    m_document = document;
    if (m_document) {
        m_document->AddObserver(this);
    }
    update();
}

void CTitleView::OnDocumentUpdate(int hint, const std::vector<std::u16string>* warnings) {
    if (m_frame) {
        m_frame->OnDocumentUpdate(hint, warnings);
    }
}

void CTitleView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!m_document) {
        return;
    }
    const QRect area(0, 0, 500, 200);
    struct Line {
        int top;
        int font;
        QColor colour;
        const QString* text;
        Qt::Alignment alignment;
    };
    const Line lines[] = {
        {11, 0, QColor(0, 128, 0), &m_productText, Qt::AlignHCenter},
        {47, 1, QColor(0, 0, 255), &m_versionText, Qt::AlignHCenter},
        {84, 2, QColor(0, 0, 0), &m_descriptionText, Qt::AlignHCenter},
        {142, 3, QColor(0, 0, 0), &m_legalText, Qt::AlignRight},
    };
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setClipRect(area);
    for (const Line& line : lines) {
        painter.setFont(m_titleFonts[line.font]);
        painter.setPen(line.colour);
        QRect r = area;
        r.setTop(line.top);
        painter.drawText(r, line.alignment | Qt::AlignTop | Qt::TextSingleLine, *line.text);
    }
    painter.fillRect(QRect(QPoint(1, 71), QPoint(498, 74)), QColor(255, 0, 0));
    painter.fillRect(QRect(QPoint(1, 126), QPoint(498, 129)), QColor(128, 0, 128));
}
