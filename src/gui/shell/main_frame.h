#pragma once
// The program's only top-level window: menus, tool bar, status bar, and the splitters that hold
// the navigation tree (left), the settings page (upper right) and the help pane (lower right).
// It creates every settings page once, hidden, and shows the one of the selected tree node, and
// receives the document's updates. Commands are routed by ID to their handlers: the file, radio
// and ID list commands to their controllers, the window's own (view, WLAN-only shape, help,
// about, exit) to the frame.
#include <QPointer>
#include <QStringList>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/talvero_doc.h"
#include "gui/shell/command_table.h"
#include "gui/shell/k_multiple_languages.h"
#include "gui/shell/page_registry.h"

class CHelpView;
class CHelpWindow;
class CFileController;
class CIdListController;
class CLeftView;
class CRadioController;
class CRecoveryController;
class QLabel;
class CTitleView;
class QSplitter;
class QStackedWidget;
class QToolBar;
class QTreeWidgetItem;
class QMenu;

class CMainFrame : public KMultipleLanguagesCFrameWndEx {
    Q_OBJECT
  public:
    explicit CMainFrame(CTalveroDoc* document, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Frame loading, window creation and client creation, in that order; false when any fails.
    bool Create();

    // Where a new tree item goes among its siblings.
    struct InsertAt {
        enum class Where { Last, First, After } where = Where::Last;
        QTreeWidgetItem* item = nullptr;
        static InsertAt Last() { return {}; }
        static InsertAt First() { return {Where::First, nullptr}; }
        static InsertAt After(QTreeWidgetItem* i) { return i ? InsertAt{Where::After, i} : InsertAt{}; }
    };

    // Creates the node's page (when `viewClass` is given) and its tree item (when `textId` is).
    // A page that cannot be created gives no tree item: null is returned.
    QTreeWidgetItem* AddNode(const PageFactory* viewClass, uint32_t nodeId, int setIndex,
                             std::optional<uint32_t> textId, int image, QTreeWidgetItem* parent,
                             InsertAt insertAfter);

    // The page swap on a tree selection change.
    void OnTreeSelChanged(std::optional<uint32_t> oldNode, std::optional<uint32_t> newNode);
    // Every update the document sends reaches the frame through the title page.
    void OnDocumentUpdate(int hint, const std::vector<std::u16string>* warnings);
    // Shows an address in the help pane; empty shows a blank page.
    void NavigateHelp(const QString& address);

    // At start: offers to restore a copy of unsaved changes that a program left behind.
    void OfferRecovery();

    // Opens a configuration file, as the file named on the program's command line is opened.
    bool OpenDocumentFile(const QString& path);

    // Shows the page `nodeId` with the row of the setting `key` ("name_01_07") selected; nothing
    // when the tree does not show that page now.
    void ShowSetting(uint32_t nodeId, const std::u16string& key);

    // Runs a command by its ID, as a menu item or tool-bar button does.
    void ExecuteCommand(uint32_t commandId);
    // Brings enabled state and check marks of the commands up to date.
    void UpdateCommandStates();

    // ---- parts and state --------------------------------------------------------------------
    CTalveroDoc* Document() const { return m_document; }
    CFileController& Files() const { return *m_files; }
    CRadioController& Radio() const { return *m_radio; }
    CIdListController& IdLists() const { return *m_idLists; }
    CRecoveryController& Recovery() const { return *m_recovery; }
    // The status bar's pane with the port and bit rate in use.
    QLabel* LinkPane() const { return m_linkPane; }
    QAction* Action(uint32_t commandId) const;
    CLeftView* LeftView() const { return m_pLeftView; }
    CHelpView* HelpView() const { return m_pHelpView; }
    CTitleView* TitleView() const { return m_titleView; }
    QToolBar* ToolBar() const { return m_wndToolBar; }
    QSplitter* Splitter() const { return m_wndSplitter; }
    QSplitter* RightSplitter() const { return m_wndRightSplitter; }
    // The view shown in the page area (the title page, a settings page, or null for none).
    QWidget* CurrentPageView() const;
    QString PathPaneText() const { return m_pathPaneText; }
    CHelpWindow* HelpWindow() const;
    QTreeWidgetItem* RootItem() const { return m_rootItem; }
    // The title page under the root node and every page under its node ID.
    const std::map<uint32_t, QWidget*>& PageViews() const { return m_pageViews; }
    // The tree item last added for each node ID, and every folder item in order of addition.
    const std::map<uint32_t, QTreeWidgetItem*>& TreeItems() const { return m_treeItems; }
    const std::vector<QTreeWidgetItem*>& FolderItems() const { return m_folderItems; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Tab and Shift+Tab walk the panes in reading order: tree, page, help pane.
    bool focusNextPrevChild(bool next) override;

  private:
    bool LoadFrame();
    bool CreateWindowParts();
    bool CreateClient();
    void BuildMenus();
    void RemoveSpeedItems();
    void BuildTree();
    void EnterWlanOnlyShape();
    void LeaveWlanOnlyShape();
    void SelectRoot();
    void ForgetTreeItems(QTreeWidgetItem* item);
    void UpdatePathPane();
    void UpdateLinkPane();
    void UpdateWindowTitle();
    void FocusPane(int step, Qt::FocusReason reason = Qt::ShortcutFocusReason);
    // The window's own commands: the WLAN-only shape of the tree, the help window, the about box.
    void OnOptionWlanOnly();
    void OnHelpContents();
    void OnAppAbout();
    void RegisterCommands();

    CTalveroDoc* m_document;
    CFileController* m_files;  // a child object of the frame
    std::unique_ptr<CRadioController> m_radio;
    std::unique_ptr<CIdListController> m_idLists;
    std::unique_ptr<CRecoveryController> m_recovery;
    CommandRouter m_commands;
    PageContext m_pageContext;
    std::map<uint32_t, QWidget*> m_pageViews;
    std::map<uint32_t, QTreeWidgetItem*> m_treeItems;
    std::vector<QTreeWidgetItem*> m_folderItems;
    QToolBar* m_wndToolBar = nullptr;
    QSplitter* m_wndSplitter = nullptr;
    QSplitter* m_wndRightSplitter = nullptr;
    QStackedWidget* m_pageArea = nullptr;
    QWidget* m_noPage = nullptr;  // shown when a node has no page
    CHelpView* m_pHelpView = nullptr;
    CLeftView* m_pLeftView = nullptr;
    CTitleView* m_titleView = nullptr;
    QTreeWidgetItem* m_rootItem = nullptr;
    std::map<uint32_t, ISettingsPage*> m_pages;  // the entries of m_pageViews that are pages
    std::map<uint32_t, QAction*> m_actions;
    QMenu* m_fileMenu = nullptr;
    QString m_pathPaneText;
    QLabel* m_linkPane = nullptr;
    // The tree as it was before the WLAN-only shape: expanded nodes and the selected node; folders
    // by their index in m_folderItems.
    std::vector<uint32_t> m_expandedBeforeWlanOnly;
    std::vector<size_t> m_expandedFoldersBeforeWlanOnly;
    std::optional<uint32_t> m_selectedBeforeWlanOnly;
    std::optional<size_t> m_selectedFolderBeforeWlanOnly;
    QPointer<CHelpWindow> m_helpWindow;
    int m_pageAreaHeight = 400;
    bool m_splitterPlaced = false;
};
