#pragma once
// The help pane below the settings page. It shows pages of the help file beside the program
// ("mk:@MSITStore:<file>::/<page>"), read straight from the file, and "about:blank" for no help.
#include <QTextBrowser>
#include <QUrl>
#include <memory>

class ChmArchive;

class CHelpView : public QTextBrowser {
    Q_OBJECT
  public:
    explicit CHelpView(QWidget* parent = nullptr);
    ~CHelpView() override;

    // An empty address shows a blank page.
    void Navigate(const QString& address);
    // The address of the last navigation ("about:blank" at first).
    const QString& Address() const { return m_address; }

    QVariant loadResource(int type, const QUrl& name) override;
    // Only a right-click on selected text opens a menu (to copy it); elsewhere there is none.
    bool ShowsContextMenuAt(const QPoint& viewportPos) const;

  protected:
    // Draws the pane's frame: the highlight colour while the pane has the focus.
    bool event(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // Tab leaves the pane rather than stepping through its links, like the other panes.
    bool focusNextPrevChild(bool next) override { return QWidget::focusNextPrevChild(next); }

  private:
    QByteArray LoadHelpObject(const QString& address);

    QString m_address = "about:blank";
    std::unique_ptr<ChmArchive> m_archive;
};

// A help address as the browser's URL and back: the file part survives any character a folder
// name may hold.
QUrl HelpUrl(const QString& address);
QString HelpAddress(const QUrl& url);

// The page shown when a help file or a page in it cannot be read.
QString HelpErrorPage(const QString& address, bool fileMissing);
