#pragma once
// Every question the program asks the user goes through here: message boxes, file dialogs and
// modal dialogs. The program uses the Qt dialogs; tests install their own answers, so every
// prompt can be answered without a person and without a display.
#include <QString>
#include <cstdint>

class QDialog;
class QWidget;

class IUserPrompts {
  public:
    enum class Icon { None, Stop, Warning, Question, Information };
    // YesNoDefaultNo: for what cannot be undone, so that Enter answers no.
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, YesNoDefaultNo };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~IUserPrompts() = default;
    virtual Answer Message(QWidget* parent, const QString& text, Icon icon, Buttons buttons) = 0;
    // `filter` is in the language files' form ("Text files (*.txt)|*.txt|All files (*)|*||").
    // An empty result means the user cancelled.
    virtual QString OpenFileName(QWidget* parent, const QString& filter, const QString& defaultExt) = 0;
    virtual QString SaveFileName(QWidget* parent, const QString& filter, const QString& defaultExt,
                                 const QString& suggested) = 0;
    // What a file dialog is for: its title (a text ID; 0 for none) and the settings key under
    // which the folder last chosen for that purpose is remembered.
    struct FilePurpose {
        const char* key;
        uint32_t titleId;
    };
    // The file dialogs of a named purpose; by default the plain ones above.
    virtual QString OpenFileFor(QWidget* parent, const FilePurpose& purpose, const QString& filter,
                                const QString& defaultExt) {
        (void)purpose;
        return OpenFileName(parent, filter, defaultExt);
    }
    virtual QString SaveFileFor(QWidget* parent, const FilePurpose& purpose, const QString& filter,
                                const QString& defaultExt, const QString& suggested) {
        (void)purpose;
        return SaveFileName(parent, filter, defaultExt, suggested);
    }
    // Runs a modal dialog; returns its result code (QDialog::Accepted or Rejected).
    virtual int ExecDialog(QDialog* dialog) = 0;
};

// The prompts in use; the Qt dialogs until SetUserPrompts installs others.
IUserPrompts& UserPrompts();
// The purposes of the program's file dialogs.
namespace file_purpose {
inline constexpr IUserPrompts::FilePurpose kOpenConfiguration{"Folders/Configuration", 20040};
inline constexpr IUserPrompts::FilePurpose kSaveConfiguration{"Folders/Configuration", 20041};
inline constexpr IUserPrompts::FilePurpose kImportIdList{"Folders/IdList", 20042};
inline constexpr IUserPrompts::FilePurpose kExportIdList{"Folders/IdList", 20043};
inline constexpr IUserPrompts::FilePurpose kFirmware{"Folders/Firmware", 20044};
inline constexpr IUserPrompts::FilePurpose kWarningList{"Folders/WarningList", 20045};
inline constexpr IUserPrompts::FilePurpose kOther{"Folders/Other", 0};
}  // namespace file_purpose

// Installs `prompts` (not owned); null goes back to the Qt dialogs.
void SetUserPrompts(IUserPrompts* prompts);

// "Desc (*.a)|*.a|All (*)|*||" → "Desc (*.a);;All (*)", the form Qt's file dialogs take.
QString QtFileFilter(const QString& languageFilter);

// The window title of every message box: the application's title.
QString MessageBoxTitle();
