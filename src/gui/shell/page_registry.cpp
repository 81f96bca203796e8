#include "gui/shell/page_registry.h"

#include <map>

#include "document/talvero_doc.h"

namespace {

// Function-local so that registrations from other files' static initialisers find it built.
std::map<uint32_t, PageFactory>& Registry() {
    static std::map<uint32_t, PageFactory> registry;
    return registry;
}

}  // namespace

void ISettingsPage::OnDocumentUpdate(int hint) {
    if (hint == 0 || hint == kHintLoaded || hint == kHintChanged) {
        RefreshFromDocument();
    }
}

void RegisterPageFactory(uint32_t nodeId, PageFactory factory) {
    Registry()[nodeId] = std::move(factory);
}

void UnregisterPageFactory(uint32_t nodeId) {
    Registry().erase(nodeId);
}

const PageFactory* FindPageFactory(uint32_t nodeId) {
    auto it = Registry().find(nodeId);
    return it == Registry().end() ? nullptr : &it->second;
}

QString HelpAddress(const std::string& helpFilePath, const QString& page) {
    if (page.isEmpty()) {
        return {};
    }
    return "mk:@MSITStore:" + QString::fromStdString(helpFilePath) + "::/" + page;
}
