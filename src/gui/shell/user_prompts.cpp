#include "gui/shell/user_prompts.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>
#include <QStringList>

#include "gui/shell/command_table.h"
#include "text/language_texts.h"

namespace {

class QtPrompts final : public IUserPrompts {
  public:
    Answer Message(QWidget* parent, const QString& text, Icon icon, Buttons buttons) override {
        QMessageBox box(parent);
        box.setWindowTitle(MessageBoxTitle());
        box.setText(text);
        switch (icon) {
            case Icon::Stop:
                box.setIcon(QMessageBox::Critical);
                break;
            case Icon::Warning:
                box.setIcon(QMessageBox::Warning);
                break;
            case Icon::Question:
                box.setIcon(QMessageBox::Question);
                break;
            case Icon::Information:
                box.setIcon(QMessageBox::Information);
                break;
            case Icon::None:
                break;
        }
        switch (buttons) {
            case Buttons::Ok:
                box.setStandardButtons(QMessageBox::Ok);
                break;
            case Buttons::OkCancel:
                box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
                break;
            case Buttons::YesNo:
                box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
                break;
            case Buttons::YesNoCancel:
                box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
                break;
            case Buttons::YesNoDefaultNo:
                box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
                box.setDefaultButton(QMessageBox::No);
                box.setEscapeButton(QMessageBox::No);
                break;
        }
        switch (box.exec()) {
            case QMessageBox::Yes:
                return Answer::Yes;
            case QMessageBox::No:
                return Answer::No;
            case QMessageBox::Ok:
                return Answer::Ok;
            default:
                return Answer::Cancel;
        }
    }

    QString OpenFileName(QWidget* parent, const QString& filter, const QString& defaultExt) override {
        return OpenFileFor(parent, file_purpose::kOther, filter, defaultExt);
    }

    QString SaveFileName(QWidget* parent, const QString& filter, const QString& defaultExt,
                         const QString& suggested) override {
        return SaveFileFor(parent, file_purpose::kOther, filter, defaultExt, suggested);
    }

    QString OpenFileFor(QWidget* parent, const FilePurpose& purpose, const QString& filter,
                        const QString& defaultExt) override {
        QFileDialog dialog(parent);
        Prepare(dialog, purpose, filter, defaultExt);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        return Run(dialog, purpose);
    }

    QString SaveFileFor(QWidget* parent, const FilePurpose& purpose, const QString& filter,
                        const QString& defaultExt, const QString& suggested) override {
        QFileDialog dialog(parent);
        Prepare(dialog, purpose, filter, defaultExt);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
        if (!suggested.isEmpty()) {
            dialog.selectFile(suggested);
        }
        return Run(dialog, purpose);
    }

    int ExecDialog(QDialog* dialog) override { return dialog->exec(); }

  private:
    // Title, filter, a size that shows the file names, and the folder last used for the purpose.
    static void Prepare(QFileDialog& dialog, const FilePurpose& purpose, const QString& filter,
                        const QString& defaultExt) {
        if (purpose.titleId != 0) {
            dialog.setWindowTitle(QString::fromStdU16String(GetLanguageText(purpose.titleId)));
        }
        dialog.setNameFilter(QtFileFilter(filter));
        dialog.setDefaultSuffix(defaultExt);
        const QString folder = QSettings().value(purpose.key).toString();
        if (!folder.isEmpty() && QFileInfo(folder).isDir()) {
            dialog.setDirectory(folder);
        }
        dialog.resize(800, 520);
    }

    static QString Run(QFileDialog& dialog, const FilePurpose& purpose) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return {};
        }
        const QString chosen = dialog.selectedFiles().front();
        QSettings().setValue(purpose.key, QFileInfo(chosen).absolutePath());
        return chosen;
    }
};

QtPrompts g_qtPrompts;
IUserPrompts* g_prompts = &g_qtPrompts;

}  // namespace

IUserPrompts& UserPrompts() {
    return *g_prompts;
}

void SetUserPrompts(IUserPrompts* prompts) {
    g_prompts = prompts ? prompts : &g_qtPrompts;
}

QString QtFileFilter(const QString& languageFilter) {
    QStringList parts = languageFilter.split(u'|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        if (description.isEmpty()) {
            break;
        }
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        filters << (description.contains(u'(') ? description : description + " (" + patterns + ")");
    }
    return filters.join(";;");
}

QString MessageBoxTitle() {
    return QString::fromUtf8(kApplicationTitle);
}
