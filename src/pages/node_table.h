#pragma once
// The navigation tree: every node in the order of creation. A page's parent is the folder above
// it; folders, the information page and the WLAN folder hang below the root.
#include <cstdint>
#include <span>

inline constexpr uint32_t kNodeRoot = 1000;
inline constexpr uint32_t kNodeFolder = 1001;      // every folder but WLAN; they share one page
inline constexpr uint32_t kNodeWlanFolder = 1002;  // the WLAN folder, with a folder page of its own
inline constexpr uint32_t kNodeInfo = 1003;
inline constexpr uint32_t kNodeFirstPage = 1003;
inline constexpr uint32_t kNodeLastPage = 1038;

enum class NodeKind {
    SharedFolderPage,  // creates the shared folder page, no tree item
    Root,
    InfoPage,  // a page directly below the root
    Folder,    // a shared folder (1001)
    Page,
    WlanFolder,
};

struct NodeRow {
    NodeKind kind;
    uint32_t nodeId;
    uint32_t captionId;  // 0: no tree item
    int image;           // kImageRoot, kImageFolder or kImagePage
    int setIndex;
};

inline constexpr int kImageRoot = 0;
inline constexpr int kImageFolder = 1;
inline constexpr int kImagePage = 3;

std::span<const NodeRow> NodeTable();
