#pragma once
// The program's commands and menu. Command IDs are the ones the language files key their texts
// by: the menu caption of a command is text 100000 + ID, its status-bar prompt and tool-bar tip
// are text ID itself ("prompt\ntip").
#include <cstdint>
#include <functional>
#include <map>
#include <span>

inline constexpr char kApplicationTitle[] = "Talvero #11";  // window title and settings key
inline constexpr char kOrganisation[] = "Norvane";

enum CommandId : uint32_t {
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_IDLIST_IMPORT = 32793,
    ID_IDLIST_EXPORT = 32794,
    ID_FILE_MRU_FILE1 = 57616,
    ID_APP_EXIT = 57665,
    ID_COM_MORE = 32783,
    ID_COM_SEARCH = 32784,
    ID_SPEED_9600 = 32785,
    ID_SPEED_38400 = 32786,
    ID_SPEED_115200 = 32795,
    ID_SPEED_230400 = 32798,
    ID_SPEED_460800 = 32800,
    ID_SPEED_921600 = 32803,
    ID_SPEED_1152000 = 32804,
    ID_CLONE_READ = 32780,
    ID_CLONE_WRITE = 32781,
    ID_CLONE_INFORMATION = 32782,
    ID_CLONE_INITIALIZATION = 32797,
    ID_FIRMWARE_UPDATE = 32796,
    ID_CLONE_FLEET = 32820,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
    ID_OPTION_WLAN_ONLY = 32790,
    ID_HELP_CONTENTS = 32788,
    ID_APP_ABOUT = 57664,
    // Beyond the original menu: comparing, verifying, tracing and reporting.
    ID_FILE_COMPARE = 32900,
    ID_CLONE_COMPARE = 32901,
    ID_OPTION_VERIFY_WRITE = 32902,
    ID_OPTION_TRACE = 32903,
    ID_HELP_DIAGNOSTIC_REPORT = 32904,
};

inline constexpr uint32_t kMenuTextBase = 100000;
inline constexpr uint32_t kIdleMessageText = 57345;
inline constexpr uint32_t kIndicatorCaps = 59137;
inline constexpr uint32_t kIndicatorNum = 59138;
inline constexpr uint32_t kIndicatorScroll = 59139;

// One row of the menu: popups open and close around their items, as in a menu resource.
struct MenuEntry {
    enum class Kind { Popup, EndPopup, Item, Separator };
    Kind kind;
    uint32_t id;          // items only
    const char* caption;  // the caption before translation (popups and items)
};

std::span<const MenuEntry> MainMenuEntries();

// Popup captions the language table translates, and their text IDs.
struct PopupText {
    const char* caption;
    uint32_t textId;
};
std::span<const PopupText> PopupTexts();

// The bit rates of the speed commands, and the speed commands removed from the COM Port menu when
// the frame loads (their rates stay reachable through a stored "ComSpeed").
struct SpeedCommand {
    uint32_t id;
    uint32_t bitsPerSecond;
};
std::span<const SpeedCommand> SpeedCommands();
std::span<const uint32_t> RemovedSpeedCommands();

// The routing of commands: each command ID names the handler that runs it. The window's parts
// (file, radio and ID list commands, the window's own) enter their handlers; running a command
// looks it up, so adding a command is one entry, not another case.
class CommandRouter {
  public:
    using Handler = std::function<void()>;
    // A second handler for the same ID replaces the first.
    void Add(uint32_t commandId, Handler handler);
    // Runs the command's handler; false when no handler is entered for it.
    bool Execute(uint32_t commandId) const;
    bool Handles(uint32_t commandId) const { return m_handlers.count(commandId) != 0; }

  private:
    std::map<uint32_t, Handler> m_handlers;
};
