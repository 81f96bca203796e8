#include "gui_support.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <stdexcept>

#include "document/config_file.h"
#include "platform/program_path.h"
#include "text/language_file.h"
#include "text/language_texts.h"

IUserPrompts::Answer ScriptedPrompts::Message(QWidget*, const QString& text, Icon icon, Buttons) {
    messages << text;
    icons << icon;
    return answers.isEmpty() ? Answer::Cancel : answers.takeFirst();
}

QString ScriptedPrompts::OpenFileName(QWidget*, const QString& filter, const QString&) {
    filters << filter;
    return openName;
}

QString ScriptedPrompts::SaveFileName(QWidget*, const QString& filter, const QString&, const QString&) {
    filters << filter;
    return saveName;
}

int ScriptedPrompts::ExecDialog(QDialog* dialog) {
    dialogs << dialog->metaObject()->className();
    return onDialog ? onDialog(dialog) : QDialog::Rejected;
}

TestPage::TestPage(QWidget* parent, const PageContext& context, QString helpPage)
    : QWidget(parent), m_value(new QLabel(this)), m_context(context), m_helpPage(std::move(helpPage)) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_value);
}

void TestPage::RefreshFromDocument() {
    m_value->setText(QString::fromStdU16String(m_context.document->Get(u"disp_item")));
}

QString TestPage::CurrentHelpAddress() const {
    return HelpAddress(m_context.helpFilePath, m_helpPage);
}

TestPages::TestPages(std::vector<uint32_t> nodes) : m_nodes(std::move(nodes)) {
    for (uint32_t node : AllPages()) {
        if (const PageFactory* factory = FindPageFactory(node)) {
            m_programPages[node] = *factory;
            UnregisterPageFactory(node);
        }
    }
    for (uint32_t node : m_nodes) {
        const QString help = node == 1038 ? "missing.htm" : "wlan_only.htm";
        RegisterPageFactory(node, [help](QWidget* parent, const PageContext& context) -> ISettingsPage* {
            return new TestPage(parent, context, help);
        });
    }
}

TestPages::~TestPages() {
    for (uint32_t node : m_nodes) {
        UnregisterPageFactory(node);
    }
    for (auto& [node, factory] : m_programPages) {
        RegisterPageFactory(node, std::move(factory));
    }
}

std::vector<uint32_t> TestPages::AllPages() {
    std::vector<uint32_t> nodes;
    for (uint32_t node = 1003; node <= 1038; ++node) {
        nodes.push_back(node);
    }
    return nodes;
}

QString BinDir() {
    return QString::fromUtf8(TALVERO_BIN_DIR);
}

TestEnvironment::TestEnvironment() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
    QCoreApplication::setOrganizationName("Norvane");
    QCoreApplication::setApplicationName("Talvero #11");
    SetProgramFilePath((BinDir() + "/talvero").toStdString());
}

void UseLanguage(bool english) {
    ClearLanguageTexts();
    if (english) {
        SelectLanguageFiles(
            (BinDir() + "/talvero").toStdString(), 0x0409, [](uint32_t code, const std::string& path) {
                throw std::runtime_error("language file " + path + " failed with " + std::to_string(code));
            });
    }
}

FrameUnderTest::FrameUnderTest() : frame(std::make_unique<CMainFrame>(&document)) {
    if (!frame->Create()) {
        throw std::runtime_error("the frame could not be created");
    }
    document.OnNewDocument();
    document.UpdateAllViews(0);
    frame->UpdateCommandStates();
}

FrameUnderTest::~FrameUnderTest() {
    frame.reset();
}

namespace {

void Snapshot(const QTreeWidgetItem* item, int depth, QStringList& out) {
    out << QString("%1 %2 %3").arg(depth).arg(item->data(0, Qt::UserRole).toUInt()).arg(item->text(0));
    for (int i = 0; i < item->childCount(); ++i) {
        Snapshot(item->child(i), depth + 1, out);
    }
}

void MenuTexts(const QList<QAction*>& actions, QStringList& out) {
    for (const QAction* action : actions) {
        if (action->isSeparator()) {
            continue;
        }
        out << action->text() << action->statusTip() << action->toolTip();
        if (action->menu()) {
            out << action->menu()->title();
            MenuTexts(action->menu()->actions(), out);
        }
    }
}

void ItemTexts(const QTreeWidgetItem* item, QStringList& out) {
    for (int c = 0; c < item->columnCount(); ++c) {
        out << item->text(c) << item->toolTip(c);
    }
    for (int i = 0; i < item->childCount(); ++i) {
        ItemTexts(item->child(i), out);
    }
}

}  // namespace

QStringList TreeSnapshot(const QTreeWidget* tree) {
    QStringList out;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        Snapshot(tree->topLevelItem(i), 0, out);
    }
    return out;
}

QStringList ShownTexts(const QWidget* widget) {
    QStringList out{widget->windowTitle(), widget->toolTip(), widget->statusTip()};
    QList<const QWidget*> widgets{widget};
    for (const QWidget* child : widget->findChildren<QWidget*>()) {
        widgets << child;
    }
    for (const QWidget* w : widgets) {
        out << w->windowTitle() << w->toolTip() << w->statusTip();
        if (auto* label = qobject_cast<const QLabel*>(w)) {
            out << label->text();
        } else if (auto* button = qobject_cast<const QAbstractButton*>(w)) {
            out << button->text();
        } else if (auto* tree = qobject_cast<const QTreeWidget*>(w)) {
            ItemTexts(tree->headerItem(), out);
            for (int i = 0; i < tree->topLevelItemCount(); ++i) {
                ItemTexts(tree->topLevelItem(i), out);
            }
        } else if (auto* bar = qobject_cast<const QMenuBar*>(w)) {
            MenuTexts(bar->actions(), out);
        }
        MenuTexts(w->actions(), out);
    }
    return out;
}

void WriteConfigFile(const QString& path, const QStringList& lines) {
    QString text =
        QString(";") + QString::fromStdU16String(kConfigFileIdentifier) + "\r\n;Talvero\r\n[Config]\r\n";
    for (const QString& line : lines) {
        text += line + "\r\n";
    }
    QByteArray bytes("\xFF\xFE", 2);
    for (QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
}
