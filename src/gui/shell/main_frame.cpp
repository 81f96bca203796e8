#include "gui/shell/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QSettings>
#include <QShortcut>
#include <QShowEvent>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <algorithm>

#include "gui/dialogs/dlg_import_warning.h"
#include "gui/shell/command_table.h"
#include "gui/shell/dlg_about.h"
#include "gui/shell/file_controller.h"
#include "gui/shell/help_view.h"
#include "gui/shell/help_window.h"
#include "gui/shell/id_list_controller.h"
#include "gui/shell/language_ui.h"
#include "gui/shell/left_view.h"
#include "gui/shell/radio_controller.h"
#include "gui/shell/recovery_controller.h"
#include "gui/shell/title_view.h"
#include "gui/shell/user_prompts.h"
#include "pages/node_table.h"
#include "pages/stored_value_report.h"
#include "platform/program_path.h"

namespace {

constexpr uint32_t kTextRefusedKept = 2183;          // values the pages refuse, kept
constexpr uint32_t kTextShortenedAndRefused = 2184;  // and texts shortened as well
constexpr uint32_t kTextToolBarCaption = 2015;
constexpr int kTreeWidth = 200;  // until the window shows and the tree is fitted to its captions
constexpr int kTreeShareDivisor = 3;
constexpr int kPathPaneWidth = 150;
constexpr int kDefaultPageAreaHeight = 400;

// Widens or narrows the tree to its longest caption in the language in use, but never beyond a
// share of the window: the pages need the room more. From then on the bar stays where the user
// puts it.
void FitTreeWidth(QSplitter& splitter, const CLeftView& tree, int windowWidth) {
    const int total = splitter.width() - splitter.handleWidth();
    const int width = std::min(tree.CaptionsWidth(), windowWidth / kTreeShareDivisor);
    if (total > 0 && width > 0) {
        splitter.setSizes({width, std::max(total - width, 0)});
    }
}

QString SettingsKey(const char* value) {
    return QString("Global/") + value;
}

// A selection shown in the highlight colour says where the keys go: while the tree does not have
// the focus its selection is grey, as the grid's current cell is, so that one pane looks focused.
class UnfocusedSelectionLook : public QObject {
  public:
    explicit UnfocusedSelectionLook(QWidget* pane) : QObject(pane), m_focused(pane->palette()) {
        Apply(pane);
        pane->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
            Apply(static_cast<QWidget*>(watched));
        }
        return false;
    }

  private:
    void Apply(QWidget* pane) const {
        QPalette palette = m_focused;
        if (!pane->hasFocus()) {
            for (const auto group : {QPalette::Active, QPalette::Inactive}) {
                palette.setColor(group, QPalette::Highlight, QColor(0xD0, 0xD0, 0xD0));
                palette.setColor(group, QPalette::HighlightedText, m_focused.color(group, QPalette::Text));
            }
        }
        pane->setPalette(palette);
    }

    QPalette m_focused;
};

}  // namespace

CMainFrame::CMainFrame(CTalveroDoc* document, QWidget* parent)
    : KMultipleLanguagesCFrameWndEx(parent),
      m_document(document),
      m_files(new CFileController(document, this)),
      m_radio(std::make_unique<CRadioController>(document, this, *m_files,
                                                 [this](const QString& line, const QString& tip) {
                                                     StatusBar()->showMessage(line);
                                                     StatusBar()->setToolTip(tip);
                                                 })),
      m_idLists(std::make_unique<CIdListController>(document, this)),
      m_recovery(std::make_unique<CRecoveryController>(document, this)) {
    setObjectName("mainFrame");
    m_pageContext.document = document;
    m_pageContext.navigateHelp = [this](const QString& address) { NavigateHelp(address); };
    m_pageContext.helpFilePath = LocateDataFile(HelpFilePath(ProgramFilePath()));
    connect(m_files, &CFileController::PathChanged, this, [this] {
        UpdatePathPane();
        UpdateWindowTitle();
    });
    const auto showSetting = [this](uint32_t nodeId, const std::u16string& key) { ShowSetting(nodeId, key); };
    m_files->SetShowSetting(showSetting);
    m_radio->SetShowSetting(showSetting);
    // Edits reach the document from many places without telling the frame: the title's
    // unsaved-changes marker follows its flag as the event loop runs.
    auto* modifiedWatch = new QTimer(this);
    connect(modifiedWatch, &QTimer::timeout, this, [this] {
        const bool modified = m_document && m_document->IsModified();
        if (isWindowModified() != modified) {
            setWindowModified(modified);
        }
    });
    modifiedWatch->start(200);
    connect(m_files, &CFileController::Saved, this, [this] {
        m_recovery->Discard();
        UpdateWindowTitle();
    });
    RegisterCommands();
}

CMainFrame::~CMainFrame() {
    if (m_titleView) {
        m_titleView->AttachDocument(nullptr);
    }
    if (m_helpWindow) {
        delete m_helpWindow.data();
    }
    m_radio->SaveLinkSettings();
}

void CMainFrame::OfferRecovery() {
    m_recovery->OfferLeftBehind();
    UpdateCommandStates();
}

void CMainFrame::RegisterCommands() {
    m_files->RegisterCommands(m_commands);
    m_radio->RegisterCommands(m_commands);
    m_idLists->RegisterCommands(m_commands);
    m_commands.Add(ID_APP_EXIT, [this] { close(); });
    m_commands.Add(ID_VIEW_TOOLBAR, [this] { m_wndToolBar->setVisible(!m_wndToolBar->isVisible()); });
    m_commands.Add(ID_VIEW_STATUS_BAR, [this] { StatusBar()->setVisible(!StatusBar()->isVisible()); });
    m_commands.Add(ID_OPTION_WLAN_ONLY, [this] { OnOptionWlanOnly(); });
    m_commands.Add(ID_HELP_CONTENTS, [this] { OnHelpContents(); });
    m_commands.Add(ID_APP_ABOUT, [this] { OnAppAbout(); });
}

bool CMainFrame::Create() {
    if (!LoadFrame() || !CreateWindowParts() || !CreateClient()) {
        return false;
    }
    UpdateCommandStates();
    return true;
}

bool CMainFrame::LoadFrame() {
    BuildMenus();
    TranslateMenu(menuBar());
    m_radio->LoadLinkSettings();
    RemoveSpeedItems();
    m_files->AttachRecentMenu(m_fileMenu, Action(ID_FILE_MRU_FILE1));
    UpdateWindowTitle();
    return true;
}

void CMainFrame::BuildMenus() {
    QList<QMenu*> stack;
    for (const MenuEntry& entry : MainMenuEntries()) {
        switch (entry.kind) {
            case MenuEntry::Kind::Popup: {
                QMenu* menu = stack.isEmpty() ? menuBar()->addMenu(QString::fromUtf8(entry.caption))
                                              : stack.back()->addMenu(QString::fromUtf8(entry.caption));
                connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
                if (stack.isEmpty() && !m_fileMenu) {
                    m_fileMenu = menu;
                }
                stack.push_back(menu);
                break;
            }
            case MenuEntry::Kind::EndPopup:
                stack.pop_back();
                break;
            case MenuEntry::Kind::Separator:
                stack.back()->addSeparator();
                break;
            case MenuEntry::Kind::Item: {
                QAction* action = stack.back()->addAction(QString::fromUtf8(entry.caption));
                action->setData(entry.id);
                const uint32_t id = entry.id;
                connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
                m_actions[id] = action;
                break;
            }
        }
    }
    for (const auto& speed : SpeedCommands()) {
        m_actions[speed.id]->setCheckable(true);
    }
    for (uint32_t id : {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_OPTION_WLAN_ONLY, ID_OPTION_VERIFY_WRITE,
                        ID_OPTION_TRACE}) {
        m_actions[id]->setCheckable(true);
    }
    m_actions[ID_FILE_NEW]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    m_actions[ID_FILE_OPEN]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    m_actions[ID_FILE_SAVE]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    m_actions[ID_HELP_CONTENTS]->setShortcut(QKeySequence(QKeySequence::HelpContents));
    QStyle* s = style();
    m_actions[ID_FILE_NEW]->setIcon(s->standardIcon(QStyle::SP_FileIcon));
    m_actions[ID_FILE_OPEN]->setIcon(s->standardIcon(QStyle::SP_DialogOpenButton));
    m_actions[ID_FILE_SAVE]->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
    m_actions[ID_CLONE_READ]->setIcon(s->standardIcon(QStyle::SP_ArrowLeft));
    m_actions[ID_CLONE_WRITE]->setIcon(s->standardIcon(QStyle::SP_ArrowRight));
    m_actions[ID_CLONE_INFORMATION]->setIcon(s->standardIcon(QStyle::SP_MessageBoxInformation));
    ApplyCommandTexts(menuBar()->actions());
}

void CMainFrame::RemoveSpeedItems() {
    // By caption, after translation: a language file without one of these texts leaves that item
    // with its original caption, so it no longer matches and stays in the menu.
    const QString comPortCaption = LanguageText(100001);
    QStringList removed;
    for (uint32_t id : RemovedSpeedCommands()) {
        removed << LanguageText(kMenuTextBase + id);
    }
    for (QAction* top : menuBar()->actions()) {
        QMenu* menu = top->menu();
        if (!menu || menu->title() != comPortCaption) {
            continue;
        }
        const QList<QAction*> items = menu->actions();
        for (auto it = items.rbegin(); it != items.rend(); ++it) {
            if (!(*it)->menu() && removed.contains((*it)->text())) {
                menu->removeAction(*it);
            }
        }
    }
}

bool CMainFrame::CreateWindowParts() {
    if (!CreateFrameWindow()) {
        return false;
    }
    m_wndToolBar = new QToolBar(this);
    m_wndToolBar->setObjectName("toolBar");
    m_wndToolBar->setMovable(true);
    m_wndToolBar->setFloatable(false);
    m_wndToolBar->setAllowedAreas(Qt::TopToolBarArea);
    m_wndToolBar->setIconSize(QSize(16, 16));
    m_wndToolBar->setContentsMargins(1, 1, 1, 1);
    for (uint32_t id : std::initializer_list<uint32_t>{ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, 0u,
                                                       ID_CLONE_READ, ID_CLONE_WRITE, ID_CLONE_INFORMATION}) {
        if (id == 0) {
            m_wndToolBar->addSeparator();
        } else {
            m_wndToolBar->addAction(m_actions[id]);
        }
    }
    m_wndToolBar->setWindowTitle(LanguageText(kTextToolBarCaption));
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);

    StatusBar()->SetIndicators();
    StatusBar()->Pane(0)->setMinimumWidth(0);
    QLabel* pathPane = StatusBar()->Pane(1);
    pathPane->setMinimumWidth(kPathPaneWidth);
    pathPane->setMaximumWidth(kPathPaneWidth);
    // The port and bit rate every radio command uses, always in view.
    m_linkPane = new QLabel(StatusBar());
    m_linkPane->setObjectName("linkPane");
    StatusBar()->insertPermanentWidget(1, m_linkPane);
    // A status line's tip belongs to that line only.
    connect(StatusBar(), &QStatusBar::messageChanged, this, [this](const QString& message) {
        if (message.isEmpty()) {
            StatusBar()->setToolTip(QString());
        }
    });

    auto* next = new QShortcut(QKeySequence(Qt::Key_F6), this);
    connect(next, &QShortcut::activated, this, [this] { FocusPane(1); });
    auto* previous = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6), this);
    connect(previous, &QShortcut::activated, this, [this] { FocusPane(-1); });
    return true;
}

bool CMainFrame::CreateClient() {
    m_wndSplitter = new QSplitter(Qt::Horizontal, this);
    m_wndSplitter->setObjectName("splitter");
    m_wndRightSplitter = new QSplitter(Qt::Vertical, m_wndSplitter);
    m_wndRightSplitter->setObjectName("rightSplitter");

    m_pLeftView = new CLeftView(m_wndSplitter);
    new UnfocusedSelectionLook(m_pLeftView);
    m_wndSplitter->insertWidget(0, m_pLeftView);
    m_pageArea = new QStackedWidget(m_wndRightSplitter);
    m_pageArea->setObjectName("pageArea");
    m_noPage = new QWidget(m_pageArea);
    m_pageArea->addWidget(m_noPage);
    m_titleView = new CTitleView(this, m_pageArea);
    m_pageArea->addWidget(m_titleView);
    m_pageArea->setCurrentWidget(m_titleView);
    m_pageViews[kNodeRoot] = m_titleView;
    m_pHelpView = new CHelpView(m_wndRightSplitter);
    m_wndRightSplitter->addWidget(m_pageArea);
    m_wndRightSplitter->addWidget(m_pHelpView);

    // A stored height that is no number or is negative would collapse every page: the default.
    bool heightOk = false;
    m_pageAreaHeight = QSettings().value(SettingsKey("Splitter.cy"), kDefaultPageAreaHeight).toInt(&heightOk);
    if (!heightOk || m_pageAreaHeight < 0) {
        m_pageAreaHeight = kDefaultPageAreaHeight;
    }
    m_wndRightSplitter->setSizes({m_pageAreaHeight, 1});
    // A larger window gives its room to the grid; the help pane keeps the height it was given.
    m_wndRightSplitter->setStretchFactor(0, 1);
    m_wndRightSplitter->setStretchFactor(1, 0);
    m_wndSplitter->setSizes({kTreeWidth, 600});
    m_wndSplitter->setStretchFactor(0, 0);
    m_wndSplitter->setStretchFactor(1, 1);
    setCentralWidget(m_wndSplitter);

    connect(m_pLeftView, &CLeftView::SelectionChanged, this, &CMainFrame::OnTreeSelChanged);
    BuildTree();
    m_titleView->AttachDocument(m_document);
    return true;
}

QAction* CMainFrame::Action(uint32_t commandId) const {
    auto it = m_actions.find(commandId);
    return it == m_actions.end() ? nullptr : it->second;
}

QWidget* CMainFrame::CurrentPageView() const {
    QWidget* current = m_pageArea ? m_pageArea->currentWidget() : nullptr;
    return current == m_noPage ? nullptr : current;
}

void CMainFrame::NavigateHelp(const QString& address) {
    if (m_pHelpView) {
        m_pHelpView->Navigate(address);
    }
    if (m_helpWindow && m_helpWindow->isVisible()) {
        m_helpWindow->ShowTopic(address);
    }
}

void CMainFrame::ExecuteCommand(uint32_t commandId) {
    QAction* action = Action(commandId);
    if (action && !action->isEnabled()) {
        return;
    }
    m_commands.Execute(commandId);
    UpdateCommandStates();
}

void CMainFrame::UpdateCommandStates() {
    for (const auto& speed : SpeedCommands()) {
        m_actions[speed.id]->setChecked(m_radio->Link().m_comSpeed == speed.bitsPerSecond);
    }
    // A command with a handler is enabled unless its update rule says otherwise.
    for (const auto& [id, commandAction] : m_actions) {
        commandAction->setEnabled(m_commands.Handles(id));
    }
    m_actions[ID_VIEW_TOOLBAR]->setChecked(m_wndToolBar && m_wndToolBar->isVisible());
    m_actions[ID_VIEW_STATUS_BAR]->setChecked(StatusBar() && StatusBar()->isVisible());
    m_actions[ID_OPTION_WLAN_ONLY]->setEnabled(m_document != nullptr);
    m_actions[ID_OPTION_WLAN_ONLY]->setChecked(m_document && m_document->m_wlanOnly == 1);
    m_actions[ID_OPTION_VERIFY_WRITE]->setChecked(m_radio->VerifyAfterWrite());
    m_actions[ID_OPTION_TRACE]->setChecked(m_radio->Tracing());
    m_actions[ID_FILE_MRU_FILE1]->setEnabled(false);
    UpdateLinkPane();
}

void CMainFrame::UpdateLinkPane() {
    if (m_linkPane) {
        m_linkPane->setText(m_radio->LinkDescription());
    }
}

bool CMainFrame::OpenDocumentFile(const QString& path) {
    return m_files->OpenDocumentFile(path);
}

// ---- the document's updates ----------------------------------------------------------------

void CMainFrame::UpdateWindowTitle() {
    // "[*]" shows where Qt puts the unsaved-changes marker.
    setWindowTitle(m_files->DocumentTitle() + "[*] - " + QString::fromUtf8(kApplicationTitle));
    setWindowModified(m_document && m_document->IsModified());
}

void CMainFrame::UpdatePathPane() {
    if (!m_document || !StatusBar()) {
        return;
    }
    m_pathPaneText = QString::fromStdString(m_document->GetPathName());
    QLabel* pane = StatusBar()->Pane(1);
    // The pane is narrow: the file name stays readable, the tip holds the full path.
    pane->setText(pane->fontMetrics().elidedText(m_pathPaneText, Qt::ElideLeft, pane->maximumWidth() - 6));
    pane->setToolTip(m_pathPaneText);
    // An untitled document (new, or just read from the radio) leaves the room to the status line.
    pane->setVisible(!m_pathPaneText.isEmpty());
}

void CMainFrame::OnDocumentUpdate(int hint, const std::vector<std::u16string>* warnings) {
    for (auto& [node, page] : m_pages) {
        page->OnDocumentUpdate(hint);
    }
    if (hint == kHintLoaded && m_document) {
        // Values the pages would refuse are kept as loaded and listed with the load's warnings.
        std::vector<std::u16string> shown = warnings ? *warnings : std::vector<std::u16string>{};
        const std::vector<RefusedStoredValue> refused = RefusedStoredValues(*m_document);
        for (const RefusedStoredValue& value : refused) {
            shown.push_back(DescribeRefusedStoredValue(value));
        }
        if (!shown.empty()) {
            const bool shortened = warnings && !warnings->empty();
            const uint32_t label = refused.empty() ? 0
                                   : shortened     ? kTextShortenedAndRefused
                                                   : kTextRefusedKept;
            CDlgImportWarning dialog(&shown, this, label);
            UserPrompts().ExecDialog(&dialog);
        }
    }
    setWindowModified(m_document && m_document->IsModified());
    if (hint == 0 || hint == kHintLoaded) {
        UpdatePathPane();
        UpdateWindowTitle();
        // New, Open and a read replace the document: a copy of earlier changes is no longer wanted.
        if (m_document && !m_document->IsModified()) {
            m_recovery->Discard();
        }
    }
}

bool CMainFrame::focusNextPrevChild(bool next) {
    QWidget* focus = QApplication::focusWidget();
    for (QWidget* pane :
         {static_cast<QWidget*>(m_pLeftView), CurrentPageView(), static_cast<QWidget*>(m_pHelpView)}) {
        if (pane && focus && (pane == focus || pane->isAncestorOf(focus))) {
            FocusPane(next ? 1 : -1, next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return KMultipleLanguagesCFrameWndEx::focusNextPrevChild(next);
}

void CMainFrame::FocusPane(int step, Qt::FocusReason reason) {
    QList<QWidget*> panes{m_pLeftView, CurrentPageView(), m_pHelpView};
    panes.removeAll(nullptr);
    if (panes.isEmpty()) {
        return;
    }
    qsizetype at = 0;
    for (qsizetype i = 0; i < panes.size(); ++i) {
        if (panes[i]->isAncestorOf(QApplication::focusWidget()) || panes[i] == QApplication::focusWidget()) {
            at = i;
        }
    }
    at = (at + step + panes.size()) % panes.size();
    panes[at]->setFocus(reason);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!m_files->SaveModified()) {
        event->ignore();
        return;
    }
    if (m_helpWindow) {
        m_helpWindow->close();
    }
    // Saved or given up: nothing is left to recover.
    m_recovery->Discard();
    event->accept();
}

void CMainFrame::OnHelpContents() {
    // The help window lives on its own (not a child of the frame), like a separate viewer.
    if (!m_helpWindow) {
        m_helpWindow =
            new CHelpWindow(QString::fromStdString(LocateDataFile(HelpFilePath(ProgramFilePath()))));
        m_helpWindow->setAttribute(Qt::WA_QuitOnClose, false);
        m_helpWindow->LoadContents();
    }
    // The topic of the row or page in view, as the help pane shows it.
    if (m_pHelpView) {
        m_helpWindow->ShowTopic(m_pHelpView->Address());
    }
    m_helpWindow->show();
    m_helpWindow->raise();
    m_helpWindow->activateWindow();
}

void CMainFrame::OnAppAbout() {
    CDlgAbout dialog(this);
    UserPrompts().ExecDialog(&dialog);
}

CHelpWindow* CMainFrame::HelpWindow() const {
    return m_helpWindow.data();
}

void CMainFrame::showEvent(QShowEvent* event) {
    KMultipleLanguagesCFrameWndEx::showEvent(event);
    if (!m_splitterPlaced && m_wndRightSplitter && m_wndSplitter && m_pLeftView) {
        // The page area starts "Splitter.cy" pixels high; the help pane takes the rest. Sizes can
        // only be exact once the splitter has its real height.
        m_splitterPlaced = true;
        FitTreeWidth(*m_wndSplitter, *m_pLeftView, width());
        const int total = m_wndRightSplitter->height() - m_wndRightSplitter->handleWidth();
        const int page = std::clamp(m_pageAreaHeight, 0, std::max(total, 0));
        m_wndRightSplitter->setSizes({page, std::max(total - page, 0)});
    }
}
