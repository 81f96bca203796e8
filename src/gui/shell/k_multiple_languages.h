#pragma once
// Frame and status bar that take every text from the language table: command prompts in the
// status bar, tool-bar tips, the idle prompt and the lock-key indicators.
#include <QLabel>
#include <QList>
#include <QMainWindow>
#include <QStatusBar>

class QAction;

class KMultipleLanguagesCMFCStatusBar : public QStatusBar {
    Q_OBJECT
  public:
    explicit KMultipleLanguagesCMFCStatusBar(QWidget* parent = nullptr);

    // Five panes: 0 (the prompt, stretched), 0 (a spare pane the frame uses for the document's
    // path), then the caps, num and scroll lock indicators, each as wide as its text.
    bool SetIndicators();
    int PaneCount() const { return static_cast<int>(m_panes.size()); }
    QLabel* Pane(int index) const { return m_panes.value(index); }

  private:
    QList<QLabel*> m_panes;
};

class KMultipleLanguagesCFrameWndEx : public QMainWindow {
    Q_OBJECT
  public:
    explicit KMultipleLanguagesCFrameWndEx(QWidget* parent = nullptr);

    KMultipleLanguagesCMFCStatusBar* StatusBar() const { return m_wndStatusBar; }

  protected:
    // Creates the status bar with its indicators; false when that fails.
    bool CreateFrameWindow();
    // Gives each command action its status-bar prompt and tool-bar tip from the language table.
    // Actions with command ID 0 keep theirs.
    static void ApplyCommandTexts(const QList<QAction*>& actions);

    KMultipleLanguagesCMFCStatusBar* m_wndStatusBar = nullptr;
};
