#pragma once
// Shared pieces of the GUI tests: scripted answers for every prompt, a settings page that shows
// one document value, and a frame built the way the program builds it.
#include <QDialog>
#include <QLabel>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "document/talvero_doc.h"
#include "gui/shell/main_frame.h"
#include "gui/shell/page_registry.h"
#include "gui/shell/user_prompts.h"

class QTreeWidget;

// Answers prompts from a script and records what was asked.
class ScriptedPrompts : public IUserPrompts {
  public:
    ScriptedPrompts() { SetUserPrompts(this); }
    ~ScriptedPrompts() override { SetUserPrompts(nullptr); }

    Answer Message(QWidget*, const QString& text, Icon icon, Buttons) override;
    QString OpenFileName(QWidget*, const QString& filter, const QString&) override;
    QString SaveFileName(QWidget*, const QString& filter, const QString&, const QString&) override;
    int ExecDialog(QDialog* dialog) override;

    QList<Answer> answers;  // taken in order; Cancel when none is left
    QString openName;
    QString saveName;
    std::function<int(QDialog*)> onDialog;  // inspects a modal dialog; Rejected when unset

    QStringList messages;
    QList<Icon> icons;
    QStringList filters;
    QStringList dialogs;  // class names of the dialogs shown
};

// A page that shows the document's "disp_item" and names a help page.
class TestPage : public QWidget, public ISettingsPage {
    Q_OBJECT
  public:
    TestPage(QWidget* parent, const PageContext& context, QString helpPage);
    QWidget* PageWidget() override { return this; }
    void SetSetIndex(int setIndex) override { m_setIndex = setIndex; }
    void SetupHeader() override {}
    void RefreshFromDocument() override;
    QString CurrentHelpAddress() const override;

    QLabel* m_value;
    int m_setIndex = -2;

  private:
    PageContext m_context;
    QString m_helpPage;
};

// Registers TestPage for the given nodes (help page "wlan_only.htm", node 1038 "missing.htm") and
// withdraws the program's own pages of every other page node, so that exactly these pages exist;
// puts the program's pages back on destruction.
class TestPages {
  public:
    explicit TestPages(std::vector<uint32_t> nodes);
    ~TestPages();
    static std::vector<uint32_t> AllPages();

  private:
    std::vector<uint32_t> m_nodes;
    std::map<uint32_t, PageFactory> m_programPages;
};

// Settings in a temporary folder, the program path in the build's bin folder.
class TestEnvironment {
  public:
    TestEnvironment();
    QString Path(const QString& name) const { return m_dir.filePath(name); }

  private:
    QTemporaryDir m_dir;
};

QString BinDir();
// Empties the language table; with `english`, loads the program's English file.
void UseLanguage(bool english);

struct FrameUnderTest {
    FrameUnderTest();
    ~FrameUnderTest();
    CTalveroDoc document;
    std::unique_ptr<CMainFrame> frame;
};

// "depth nodeId caption" for every tree item, depth first.
QStringList TreeSnapshot(const QTreeWidget* tree);
// Every text the widget and its children show (labels, buttons, titles, tips, items, menus).
QStringList ShownTexts(const QWidget* widget);

// Writes a configuration file with the given key=value lines (UTF-16LE with mark).
void WriteConfigFile(const QString& path, const QStringList& lines);
