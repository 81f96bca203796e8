#include "gui/shell/help_view.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QTextDocument>
#include <QUrl>

#include "gui/shell/chm_archive.h"
#include "gui/shell/language_ui.h"

namespace {

constexpr uint32_t kTextHelpFileMissing = 2018;
constexpr uint32_t kTextHelpPageMissing = 2014;
constexpr int kFrameWidth = 2;

// The help file's path is a file name, not part of a URL: "#", "?" and "%" in a folder name
// would otherwise start a fragment or a query, or be read as an escape, and lose the rest.
QString EscapeHelpFile(QString file) {
    return file.replace('%', "%25").replace('#', "%23").replace('?', "%3F");
}

}  // namespace

QUrl HelpUrl(const QString& address) {
    QString file, page;
    if (!SplitHelpAddress(address, file, page)) {
        return QUrl(address);
    }
    return QUrl(QStringLiteral("mk:@MSITStore:") + EscapeHelpFile(file) + "::" + page);
}

QString HelpAddress(const QUrl& url) {
    const QString address = url.toString(QUrl::RemoveFragment | QUrl::RemoveQuery);
    QString file, page;
    if (!SplitHelpAddress(address, file, page)) {
        return address;
    }
    return QStringLiteral("mk:@MSITStore:") + QUrl::fromPercentEncoding(file.toUtf8()) + "::" + page;
}

QString HelpErrorPage(const QString& address, bool fileMissing) {
    QString file, page;
    SplitHelpAddress(address, file, page);
    const QString text = LanguageText(fileMissing ? kTextHelpFileMissing : kTextHelpPageMissing)
                             .replace(QLatin1String("%s"), (fileMissing ? file : page).toHtmlEscaped());
    return "<html><body><p>" + text + "</p></body></html>";
}

CHelpView::CHelpView(QWidget* parent) : QTextBrowser(parent), m_archive(std::make_unique<ChmArchive>()) {
    setOpenExternalLinks(false);
    setOpenLinks(true);
    // Room for a focus frame that shows which pane the keys go to.
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(kFrameWidth);
}

bool CHelpView::event(QEvent* event) {
    const bool handled = QTextBrowser::event(event);
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        update();
    } else if (event->type() == QEvent::Paint) {
        // Over the plain frame: a thin grey line, or the highlight colour at full width while the
        // pane has the focus.
        QPainter painter(this);
        const QRect outer = rect();
        const bool focused = hasFocus();
        const QColor line = palette().color(QPalette::Active, focused ? QPalette::Highlight : QPalette::Mid);
        const QColor rest = focused ? line : palette().color(QPalette::Active, QPalette::Base);
        for (int i = 0; i < kFrameWidth; ++i) {
            painter.setPen(i == 0 ? line : rest);
            painter.drawRect(outer.adjusted(i, i, -i - 1, -i - 1));
        }
    }
    return handled;
}

CHelpView::~CHelpView() = default;

void CHelpView::Navigate(const QString& address) {
    m_address = address.isEmpty() ? QStringLiteral("about:blank") : address;
    if (m_address == QLatin1String("about:blank")) {
        clear();
        return;
    }
    setSource(HelpUrl(m_address), QTextDocument::HtmlResource);
}

QByteArray CHelpView::LoadHelpObject(const QString& address) {
    QString file, page;
    if (!SplitHelpAddress(address, file, page)) {
        return {};
    }
    if (m_archive->Path() != file && !m_archive->Open(file)) {
        return HelpErrorPage(address, true).toUtf8();
    }
    QByteArray data;
    if (!m_archive->Read(page, data)) {
        return HelpErrorPage(address, false).toUtf8();
    }
    return data;
}

QVariant CHelpView::loadResource(int type, const QUrl& name) {
    const QString address = HelpAddress(name);
    if (address.startsWith(QLatin1String("mk:"), Qt::CaseInsensitive)) {
        QByteArray data = LoadHelpObject(address);
        if (type == QTextDocument::HtmlResource || type == QTextDocument::StyleSheetResource) {
            return QString::fromUtf8(data);
        }
        return data;
    }
    if (address == QLatin1String("about:blank")) {
        return QString();
    }
    return QTextBrowser::loadResource(type, name);
}

bool CHelpView::ShowsContextMenuAt(const QPoint& viewportPos) const {
    const QTextCursor selection = textCursor();
    const int at = cursorForPosition(viewportPos).position();
    return selection.hasSelection() && at >= selection.selectionStart() && at <= selection.selectionEnd();
}

void CHelpView::contextMenuEvent(QContextMenuEvent* event) {
    if (ShowsContextMenuAt(event->pos())) {  // the event comes in viewport coordinates
        std::unique_ptr<QMenu> menu(createStandardContextMenu(event->pos()));
        menu->exec(event->globalPos());
    }
    event->accept();
}
