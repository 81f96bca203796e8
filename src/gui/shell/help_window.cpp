#include "gui/shell/help_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QRegularExpression>
#include <QShortcut>
#include <QSplitter>
#include <QTreeWidget>

#include "gui/shell/chm_archive.h"
#include "gui/shell/help_view.h"
#include "gui/shell/language_ui.h"
#include "gui/shell/page_registry.h"

namespace {
constexpr uint32_t kTextHelpTitle = 2016;
constexpr uint32_t kTextContents = 2017;
}  // namespace

QList<HelpTocEntry> ParseHelpContents(const QString& sitemap) {
    QList<HelpTocEntry> entries;
    static const QRegularExpression tag(R"(<\s*(/?)\s*(ul|object|param)\b([^>]*)>)",
                                        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression attr(R"re(\b(name|value)\s*=\s*"([^"]*)")re",
                                         QRegularExpression::CaseInsensitiveOption);
    int depth = -1;
    HelpTocEntry current;
    bool inObject = false;
    for (auto it = tag.globalMatch(sitemap); it.hasNext();) {
        auto m = it.next();
        const bool closing = !m.captured(1).isEmpty();
        const QString element = m.captured(2).toLower();
        if (element == "ul") {
            depth += closing ? -1 : 1;
        } else if (element == "object") {
            if (!closing) {
                inObject = true;
                current = {QString(), QString(), std::max(depth, 0)};
            } else if (inObject) {
                inObject = false;
                if (!current.name.isEmpty()) {
                    entries << current;
                }
            }
        } else if (element == "param" && inObject) {
            QString name, value;
            for (auto a = attr.globalMatch(m.captured(3)); a.hasNext();) {
                auto am = a.next();
                (am.captured(1).toLower() == "name" ? name : value) = am.captured(2);
            }
            if (name.compare("Name", Qt::CaseInsensitive) == 0) {
                current.name = value;
            } else if (name.compare("Local", Qt::CaseInsensitive) == 0) {
                current.local = value;
            }
        }
    }
    return entries;
}

CHelpWindow::CHelpWindow(const QString& helpFile)
    : QWidget(nullptr), m_helpFile(helpFile), m_contents(new QTreeWidget), m_browser(new CHelpView) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(LanguageText(kTextHelpTitle));
    m_contents->setHeaderLabel(LanguageText(kTextContents));
    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(m_contents);
    splitter->addWidget(m_browser);
    splitter->setSizes({220, 560});
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
    resize(800, 560);
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(QKeySequence::Close)}) {
        auto* close = new QShortcut(keys, this);
        connect(close, &QShortcut::activated, this, &QWidget::close);
    }
    connect(m_contents, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item && !item->data(0, Qt::UserRole).toString().isEmpty()) {
            m_browser->Navigate(
                HelpAddress(m_helpFile.toStdString(), item->data(0, Qt::UserRole).toString()));
        }
    });
}

bool CHelpWindow::LoadContents() {
    m_contents->clear();
    ChmArchive archive;
    if (!archive.Open(m_helpFile)) {
        m_browser->setHtml(HelpErrorPage(HelpAddress(m_helpFile.toStdString(), "index.htm"), true));
        return false;
    }
    const QStringList tocs = archive.Find(".hhc");
    QByteArray sitemap;
    if (tocs.isEmpty() || !archive.Read(tocs.front(), sitemap)) {
        return false;
    }
    QList<QTreeWidgetItem*> parents;
    QTreeWidgetItem* first = nullptr;
    for (const HelpTocEntry& entry : ParseHelpContents(QString::fromUtf8(sitemap))) {
        parents.resize(std::min<qsizetype>(parents.size(), entry.depth));
        auto* item =
            parents.isEmpty() ? new QTreeWidgetItem(m_contents) : new QTreeWidgetItem(parents.back());
        item->setText(0, entry.name);
        item->setData(0, Qt::UserRole, entry.local);
        parents.push_back(item);
        if (!first && !entry.local.isEmpty()) {
            first = item;
        }
    }
    m_contents->expandAll();
    if (first) {
        m_contents->setCurrentItem(first);
    }
    return true;
}

void CHelpWindow::ShowTopic(const QString& address) {
    if (address.isEmpty() || address == QLatin1String("about:blank")) {
        return;
    }
    const qsizetype cut = address.lastIndexOf(QLatin1String("::/"));
    const QString page = cut < 0 ? address : address.mid(cut + 3);
    for (QTreeWidgetItemIterator it(m_contents); *it; ++it) {
        if ((*it)->data(0, Qt::UserRole).toString().compare(page, Qt::CaseInsensitive) == 0) {
            m_contents->setCurrentItem(*it);
            m_contents->scrollToItem(*it);
            return;
        }
    }
    m_contents->setCurrentItem(nullptr);
    m_browser->Navigate(address);
}
