#pragma once
// The file commands of the main window: new, open, save, save as, the recent-file list and the
// save-changes prompt. It owns the recent-file list and keeps the File menu's entries for it; the
// window shows the document's path and title, and is told when a save gives the document a new
// path.
#include <functional>
#include <string>

#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

class CTalveroDoc;
class CommandRouter;
class QAction;
class QMenu;
class QWidget;

class CFileController : public QObject {
    Q_OBJECT
  public:
    // `window`: the parent of every prompt.
    CFileController(CTalveroDoc* document, QWidget* window);

    void RegisterCommands(CommandRouter& router);
    // The File menu and its placeholder item that the recent files replace; reads the stored list.
    void AttachRecentMenu(QMenu* fileMenu, QAction* placeholder);

    // Each returns whether the document now is what the user asked for.
    bool OnFileNew();
    bool OnFileOpen();
    bool OpenDocumentFile(const QString& path);
    bool OnFileSave();
    bool OnFileSaveAs();
    // Asks whether to save a modified document; false when the user cancelled or saving failed.
    bool SaveModified();
    // Compares the document with a configuration file the user picks, in the differences window.
    void OnFileCompare();
    // Shows a setting's page and row (the differences window's double click); set by the window.
    void SetShowSetting(std::function<void(uint32_t nodeId, const std::u16string& key)> show) {
        m_showSetting = std::move(show);
    }

    // The document's file name, or the untitled name for a document never saved.
    QString DocumentTitle() const;
    const QStringList& RecentFiles() const { return m_recentFiles; }

  signals:
    // A save gave the document its path (Save As): the window's title and path pane follow.
    void PathChanged();
    // The document was written to its file: its changes are safe.
    void Saved();

  private:
    bool DoSave(const QString& path);
    void LoadRecentFiles();
    void SaveRecentFiles() const;
    void AddRecentFile(const QString& path);
    void RemoveRecentFile(const QString& path);
    void RebuildRecentMenu();

    CTalveroDoc* m_document;
    QWidget* m_window;
    QMenu* m_fileMenu = nullptr;
    QAction* m_recentPlaceholder = nullptr;
    QList<QAction*> m_recentActions;
    QStringList m_recentFiles;
    QSet<QString> m_toldSecretsShared;  // files whose readable secrets the user was told of
    std::function<void(uint32_t nodeId, const std::u16string& key)> m_showSetting;
};
