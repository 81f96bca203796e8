#include "gui/shell/user_prompts.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "gui/shell/command_table.h"

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
        QFileDialog dialog(parent);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilter(QtFileFilter(filter));
        dialog.setDefaultSuffix(defaultExt);
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
                   ? dialog.selectedFiles().front()
                   : QString();
    }

    QString SaveFileName(QWidget* parent, const QString& filter, const QString& defaultExt,
                         const QString& suggested) override {
        QFileDialog dialog(parent);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilter(QtFileFilter(filter));
        dialog.setDefaultSuffix(defaultExt);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
        if (!suggested.isEmpty()) {
            dialog.selectFile(suggested);
        }
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
                   ? dialog.selectedFiles().front()
                   : QString();
    }

    int ExecDialog(QDialog* dialog) override { return dialog->exec(); }
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
