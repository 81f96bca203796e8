#include "gui/shell/command_table.h"

namespace {

using K = MenuEntry::Kind;

constexpr MenuEntry kMenu[] = {
    {K::Popup, 0, "&File"},
    {K::Item, ID_FILE_NEW, "&New"},
    {K::Item, ID_FILE_OPEN, "&Open"},
    {K::Item, ID_FILE_SAVE, "&Save"},
    {K::Item, ID_FILE_SAVE_AS, "Save &As"},
    {K::Separator, 0, nullptr},
    {K::Popup, 0, "&ID List"},
    {K::Item, ID_IDLIST_IMPORT, "&Import..."},
    {K::Item, ID_IDLIST_EXPORT, "&Export..."},
    {K::EndPopup, 0, nullptr},
    {K::Separator, 0, nullptr},
    {K::Item, ID_FILE_COMPARE, "Compare &with..."},
    {K::Separator, 0, nullptr},
    {K::Item, ID_FILE_MRU_FILE1, "Recent File"},
    {K::Separator, 0, nullptr},
    {K::Item, ID_APP_EXIT, "&Exit"},
    {K::EndPopup, 0, nullptr},

    {K::Popup, 0, "COM &Port"},
    {K::Item, ID_COM_MORE, "&More..."},
    {K::Separator, 0, nullptr},
    {K::Item, ID_COM_SEARCH, "&Search"},
    {K::Separator, 0, nullptr},
    {K::Item, ID_SPEED_9600, "Speed:9600bps"},
    {K::Item, ID_SPEED_38400, "Speed:38400bps"},
    {K::Item, ID_SPEED_115200, "Speed:115200bps"},
    {K::Item, ID_SPEED_230400, "Speed:230400bps"},
    {K::Item, ID_SPEED_460800, "Speed:460800bps"},
    {K::Item, ID_SPEED_921600, "Speed:921600bps"},
    {K::Item, ID_SPEED_1152000, "Speed:1152000bps"},
    {K::EndPopup, 0, nullptr},

    {K::Popup, 0, "&Clone"},
    {K::Item, ID_CLONE_READ, "&Read <- TR"},
    {K::Item, ID_CLONE_WRITE, "&Write -> TR"},
    {K::Item, ID_CLONE_COMPARE, "&Compare with radio"},
    {K::Separator, 0, nullptr},
    {K::Item, ID_CLONE_INFORMATION, "&Information"},
    {K::Separator, 0, nullptr},
    {K::Item, ID_CLONE_INITIALIZATION, "I&nitialization"},
    {K::Separator, 0, nullptr},
    {K::Item, ID_CLONE_FLEET, "&Fleet..."},
    {K::EndPopup, 0, nullptr},

    {K::Popup, 0, "Firm&ware"},
    {K::Item, ID_FIRMWARE_UPDATE, "&Update..."},
    {K::EndPopup, 0, nullptr},

    {K::Popup, 0, "&View"},
    {K::Item, ID_VIEW_TOOLBAR, "&Tool Bar"},
    {K::Item, ID_VIEW_STATUS_BAR, "&Status Bar"},
    {K::EndPopup, 0, nullptr},

    {K::Popup, 0, "&Option"},
    {K::Item, ID_OPTION_WLAN_ONLY, "&Wlan Only"},
    {K::Item, ID_OPTION_VERIFY_WRITE, "&Verify after write"},
    {K::Item, ID_OPTION_TRACE, "Serial &trace"},
    {K::EndPopup, 0, nullptr},

    {K::Popup, 0, "&Help"},
    {K::Item, ID_HELP_CONTENTS, "&Help"},
    {K::Item, ID_HELP_DIAGNOSTIC_REPORT, "Save &diagnostic report..."},
    {K::Item, ID_APP_ABOUT, "&About Talvero..."},
    {K::EndPopup, 0, nullptr},
};

constexpr PopupText kPopups[] = {
    {"&File", 100000},      {"COM &Port", 100001}, {"&Clone", 100002},   {"Firm&ware", 100003},
    {"&View", 100004},      {"&Help", 100005},     {"&ID List", 100006}, {"&TCP/IP", 100007},
    {"&Read Only", 100008}, {"&Model", 100009},    {"&Option", 100010},
};

constexpr SpeedCommand kSpeeds[] = {
    {ID_SPEED_9600, 9600},       {ID_SPEED_38400, 38400},   {ID_SPEED_115200, 115200},
    {ID_SPEED_230400, 230400},   {ID_SPEED_460800, 460800}, {ID_SPEED_921600, 921600},
    {ID_SPEED_1152000, 1152000},
};

constexpr uint32_t kRemovedSpeeds[] = {ID_SPEED_230400, ID_SPEED_460800, ID_SPEED_921600, ID_SPEED_1152000};

}  // namespace

std::span<const MenuEntry> MainMenuEntries() {
    return kMenu;
}
std::span<const PopupText> PopupTexts() {
    return kPopups;
}
std::span<const SpeedCommand> SpeedCommands() {
    return kSpeeds;
}
std::span<const uint32_t> RemovedSpeedCommands() {
    return kRemovedSpeeds;
}

void CommandRouter::Add(uint32_t commandId, Handler handler) {
    m_handlers[commandId] = std::move(handler);
}

bool CommandRouter::Execute(uint32_t commandId) const {
    auto it = m_handlers.find(commandId);
    if (it == m_handlers.end() || !it->second) {
        return false;
    }
    // A copy: a handler may enter handlers anew while it runs.
    const Handler handler = it->second;
    handler();
    return true;
}
