#include "gui/shell/language_ui.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "gui/shell/command_table.h"
#include "text/language_texts.h"

namespace {

constexpr int kCaptionLimit = 1023;

void TranslateActions(const QList<QAction*>& actions) {
    for (QAction* action : actions) {
        if (QMenu* sub = action->menu()) {
            TranslateMenu(sub);
            const QString caption = sub->title();
            for (const auto& popup : PopupTexts()) {
                if (caption == QString::fromUtf8(popup.caption)) {
                    sub->setTitle(LanguageText(popup.textId).left(kCaptionLimit));
                    break;
                }
            }
            continue;
        }
        const uint32_t id = ActionCommandId(action);
        if (id == 0 || action->isSeparator()) {
            continue;
        }
        if (HasLanguageText(kMenuTextBase + id)) {
            action->setText(LanguageText(kMenuTextBase + id).left(kCaptionLimit));
        }
    }
}

}  // namespace

QString LanguageText(uint32_t id) {
    return QString::fromStdU16String(GetLanguageText(id));
}

void TranslateMenu(QMenu* menu) {
    TranslateActions(menu->actions());
}

void TranslateMenu(QMenuBar* menuBar) {
    TranslateActions(menuBar->actions());
}

QString CommandPrompt(uint32_t commandId) {
    const QString text = LanguageText(commandId);
    const qsizetype lf = text.indexOf(u'\n');
    return lf < 0 ? text : text.left(lf);
}

QString CommandTip(uint32_t commandId) {
    const QString text = LanguageText(commandId);
    const qsizetype lf = text.indexOf(u'\n');
    return lf < 0 ? text : text.mid(lf + 1);
}

uint32_t ActionCommandId(const QAction* action) {
    return action->data().toUInt();
}
