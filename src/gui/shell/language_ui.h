#pragma once
// Applying the language table to Qt widgets: menus, command prompts and tips.
#include <QString>
#include <cstdint>

class QMenu;
class QMenuBar;
class QAction;

// The text of an ID as a QString ("ID_<id>" when missing).
QString LanguageText(uint32_t id);

// Translates a menu and all its submenus in place. Items carry their command ID in QAction::data.
// A popup is translated when its caption is one of the popup table's (exact match); an item when
// the table has 100000 + its command ID. Captions are cut to 1023 characters.
void TranslateMenu(QMenu* menu);
void TranslateMenu(QMenuBar* menuBar);

// The status-bar prompt of a command: its text up to the first LF.
QString CommandPrompt(uint32_t commandId);
// The tool-bar tip of a command: the part after the first LF, or the whole text without one.
QString CommandTip(uint32_t commandId);

// The command ID an action was built with, 0 for separators and submenus.
uint32_t ActionCommandId(const QAction* action);
