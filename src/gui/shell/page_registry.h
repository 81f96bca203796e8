#pragma once
// How settings pages plug into the main frame.
//
// The frame builds the navigation tree from the node table (node_table.h). A page node gets a
// tree item only when a page can be created for its node ID, so the tree grows as pages arrive
// and never shows a node that leads nowhere. A page file registers its class under its node ID:
//
//     // in src/gui/pages/list_view_tx_mic.cpp
//     TALVERO_REGISTER_PAGE(1009, CListViewTxMic);
//
// The class derives from QWidget and ISettingsPage and has the constructor
// (QWidget* parent, const PageContext& context). The frame creates every registered page once,
// at start-up, hidden; it then calls SetSetIndex and SetupHeader, and later RefreshFromDocument
// whenever the page is shown. It forwards every document update to every page through
// OnDocumentUpdate, so pages need not observe the document themselves.
//
// Registration runs from static initialisers, which the linker drops from a static library
// unless something references them: the program and the GUI tests therefore link talvero_gui as
// a whole archive (src/gui/gui.cmake).
#include <QString>
#include <cstdint>
#include <functional>
#include <string>

class CTalveroDoc;
class QWidget;

// What a page needs from the program.
struct PageContext {
    CTalveroDoc* document = nullptr;
    // Shows a help address in the help pane (empty = no help).
    std::function<void(const QString& address)> navigateHelp;
    // The help file's path, for building "mk:@MSITStore:<file>::/<page>" addresses.
    std::string helpFilePath;
};

class ISettingsPage {
  public:
    virtual ~ISettingsPage() = default;
    virtual QWidget* PageWidget() = 0;
    // Which member of a repeated group the page edits: 0 for settings pages, -1 for the
    // information page and the folder pages.
    virtual void SetSetIndex(int setIndex) = 0;
    virtual void SetupHeader() = 0;
    virtual void RefreshFromDocument() = 0;
    // The help address of the page or its selected row; empty when it has none.
    virtual QString CurrentHelpAddress() const = 0;
    // Every update the document sends (hint 0 on a new document, 16 after a load, ...).
    virtual void OnDocumentUpdate(int hint);
};

using PageFactory = std::function<ISettingsPage*(QWidget* parent, const PageContext& context)>;

// A later registration for the same node ID replaces the earlier one.
void RegisterPageFactory(uint32_t nodeId, PageFactory factory);
void UnregisterPageFactory(uint32_t nodeId);
// Null when no page exists for the node yet.
const PageFactory* FindPageFactory(uint32_t nodeId);

// "mk:@MSITStore:<help file>::/<page>", or empty for an empty page name.
QString HelpAddress(const std::string& helpFilePath, const QString& page);

#define TALVERO_PAGE_CONCAT2(a, b) a##b
#define TALVERO_PAGE_CONCAT(a, b) TALVERO_PAGE_CONCAT2(a, b)
#define TALVERO_REGISTER_PAGE(nodeId, PageClass)                                                          \
    static const bool TALVERO_PAGE_CONCAT(g_pageRegistered_, __LINE__) = [] {                             \
        RegisterPageFactory((nodeId), [](QWidget* parent, const PageContext& context) -> ISettingsPage* { \
            return new PageClass(parent, context);                                                        \
        });                                                                                               \
        return true;                                                                                      \
    }()
