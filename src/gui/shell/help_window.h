#pragma once
// The Help command's window: the help file's table of contents beside a page browser. It is a
// window of its own, not owned by the main frame, so it can stay open beside the program; while
// open it follows the topic of the page and row in view. Escape and Ctrl+W close it.
#include <QWidget>

class CHelpView;
class QTreeWidget;

class CHelpWindow : public QWidget {
    Q_OBJECT
  public:
    explicit CHelpWindow(const QString& helpFile);

    // False when the file or its table of contents could not be read; the browser then says so.
    bool LoadContents();
    // Shows the topic at a help address (the one the help pane shows), selecting its entry in
    // the contents where it has one. An empty or blank address leaves the window as it is.
    void ShowTopic(const QString& address);
    QTreeWidget* Contents() const { return m_contents; }
    CHelpView* Browser() const { return m_browser; }

  private:
    QString m_helpFile;
    QTreeWidget* m_contents;
    CHelpView* m_browser;
};

struct HelpTocEntry {
    QString name;
    QString local;  // page inside the help file; empty for a heading
    int depth;
};
// The entries of a table of contents (the sitemap HTML of a help project), in order.
QList<HelpTocEntry> ParseHelpContents(const QString& sitemap);
