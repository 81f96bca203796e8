#pragma once
// Every question the program asks the user goes through here: message boxes, file dialogs and
// modal dialogs. The program uses the Qt dialogs; tests install their own answers, so every
// prompt can be answered without a person and without a display.
#include <QString>

class QDialog;
class QWidget;

class IUserPrompts {
  public:
    enum class Icon { None, Stop, Warning, Question, Information };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~IUserPrompts() = default;
    virtual Answer Message(QWidget* parent, const QString& text, Icon icon, Buttons buttons) = 0;
    // `filter` is in the language files' form ("Text files (*.txt)|*.txt|All files (*)|*||").
    // An empty result means the user cancelled.
    virtual QString OpenFileName(QWidget* parent, const QString& filter, const QString& defaultExt) = 0;
    virtual QString SaveFileName(QWidget* parent, const QString& filter, const QString& defaultExt,
                                 const QString& suggested) = 0;
    // Runs a modal dialog; returns its result code (QDialog::Accepted or Rejected).
    virtual int ExecDialog(QDialog* dialog) = 0;
};

// The prompts in use; the Qt dialogs until SetUserPrompts installs others.
IUserPrompts& UserPrompts();
// Installs `prompts` (not owned); null goes back to the Qt dialogs.
void SetUserPrompts(IUserPrompts* prompts);

// "Desc (*.a)|*.a|All (*)|*||" → "Desc (*.a);;All (*)", the form Qt's file dialogs take.
QString QtFileFilter(const QString& languageFilter);

// The window title of every message box: the application's title.
QString MessageBoxTitle();
