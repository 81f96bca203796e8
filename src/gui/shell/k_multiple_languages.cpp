#include "gui/shell/k_multiple_languages.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>

#include "gui/shell/command_table.h"
#include "gui/shell/language_ui.h"

KMultipleLanguagesCMFCStatusBar::KMultipleLanguagesCMFCStatusBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName("statusBar");
}

bool KMultipleLanguagesCMFCStatusBar::SetIndicators() {
    for (QLabel* pane : m_panes) {
        removeWidget(pane);
        delete pane;
    }
    m_panes.clear();
    const uint32_t indicators[] = {0, 0, kIndicatorCaps, kIndicatorNum, kIndicatorScroll};
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int quarter = screen ? screen->geometry().width() / 4 : 200;
    for (size_t i = 0; i < std::size(indicators); ++i) {
        auto* pane = new QLabel(this);
        pane->setObjectName(QString("statusPane%1").arg(i));
        if (indicators[i] != 0) {
            pane->setText(LanguageText(indicators[i]));
            pane->setFixedWidth(pane->fontMetrics().horizontalAdvance(pane->text()) + 8);
            pane->setAlignment(Qt::AlignCenter);
            // The lock state of the keyboard is not known to the program here: the indicator
            // shows greyed, as an unlit lamp.
            pane->setEnabled(false);
            addPermanentWidget(pane);
        } else if (i == 0) {
            pane->setText(CommandPrompt(kIdleMessageText));
            pane->setMinimumWidth(quarter);
            addWidget(pane, 1);
        } else {
            pane->setMinimumWidth(quarter);
            addPermanentWidget(pane);
        }
        m_panes.push_back(pane);
    }
    return true;
}

KMultipleLanguagesCFrameWndEx::KMultipleLanguagesCFrameWndEx(QWidget* parent) : QMainWindow(parent) {}

bool KMultipleLanguagesCFrameWndEx::CreateFrameWindow() {
    m_wndStatusBar = new KMultipleLanguagesCMFCStatusBar(this);
    setStatusBar(m_wndStatusBar);
    m_wndStatusBar->setVisible(true);
    setDockOptions(QMainWindow::AnimatedDocks);
    return true;
}

void KMultipleLanguagesCFrameWndEx::ApplyCommandTexts(const QList<QAction*>& actions) {
    for (QAction* action : actions) {
        if (QMenu* sub = action->menu()) {
            ApplyCommandTexts(sub->actions());
            continue;
        }
        const uint32_t id = ActionCommandId(action);
        if (id == 0) {
            continue;
        }
        action->setStatusTip(CommandPrompt(id));
        action->setToolTip(CommandTip(id));
    }
}
