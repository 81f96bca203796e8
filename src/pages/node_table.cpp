#include "pages/node_table.h"

namespace {

using N = NodeKind;

constexpr NodeRow kNodes[] = {
    {N::SharedFolderPage, 1001, 0, -1, -1},    {N::Root, 1000, 2391, kImageRoot, 0},
    {N::InfoPage, 1003, 2401, kImagePage, -1}, {N::Folder, 1001, 2402, kImageFolder, -1},
    {N::Page, 1004, 2403, kImagePage, 0},      {N::Page, 1005, 2404, kImagePage, 0},
    {N::Page, 1006, 2405, kImagePage, 0},      {N::Page, 1007, 2406, kImagePage, 0},
    {N::Page, 1008, 2408, kImagePage, 0},      {N::Page, 1009, 2409, kImagePage, 0},
    {N::Folder, 1001, 2411, kImageFolder, -1}, {N::Page, 1010, 2412, kImagePage, 0},
    {N::Page, 1011, 2413, kImagePage, 0},      {N::Page, 1012, 2414, kImagePage, 0},
    {N::Page, 1013, 2415, kImagePage, 0},      {N::Page, 1014, 2416, kImagePage, 0},
    {N::Page, 1015, 2417, kImagePage, 0},      {N::Folder, 1001, 2419, kImageFolder, -1},
    {N::Page, 1016, 2420, kImagePage, 0},      {N::Page, 1017, 2421, kImagePage, 0},
    {N::Page, 1018, 2422, kImagePage, 0},      {N::Page, 1019, 2423, kImagePage, 0},
    {N::Folder, 1001, 2429, kImageFolder, -1}, {N::Page, 1020, 2430, kImagePage, 0},
    {N::Page, 1021, 2431, kImagePage, 0},      {N::Folder, 1001, 2433, kImageFolder, -1},
    {N::Page, 1022, 2433, kImagePage, 0},      {N::Page, 1023, 2434, kImagePage, 0},
    {N::Folder, 1001, 2435, kImageFolder, -1}, {N::Page, 1024, 2435, kImagePage, 0},
    {N::Page, 1025, 2436, kImagePage, 0},      {N::Folder, 1001, 2453, kImageFolder, -1},
    {N::Page, 1026, 2453, kImagePage, 0},      {N::Folder, 1001, 2437, kImageFolder, -1},
    {N::Page, 1027, 2438, kImagePage, 0},      {N::Folder, 1001, 2439, kImageFolder, -1},
    {N::Page, 1028, 2439, kImagePage, 0},      {N::Folder, 1001, 2440, kImageFolder, -1},
    {N::Page, 1029, 2441, kImagePage, 0},      {N::Page, 1030, 2442, kImagePage, 0},
    {N::Folder, 1001, 2443, kImageFolder, -1}, {N::Page, 1031, 2443, kImagePage, 0},
    {N::Page, 1032, 2450, kImagePage, 0},      {N::Folder, 1001, 2444, kImageFolder, -1},
    {N::Page, 1033, 2445, kImagePage, 0},      {N::Folder, 1001, 2485, kImageFolder, -1},
    {N::Page, 1034, 2486, kImagePage, 0},      {N::Folder, 1001, 2446, kImageFolder, -1},
    {N::Page, 1035, 2447, kImagePage, 0},      {N::Folder, 1001, 2451, kImageFolder, -1},
    {N::Page, 1036, 2452, kImagePage, 0},      {N::WlanFolder, 1002, 2465, kImageFolder, -1},
    {N::Page, 1037, 2476, kImagePage, 0},      {N::Page, 1038, 2482, kImagePage, 0},
};

}  // namespace

std::span<const NodeRow> NodeTable() {
    return kNodes;
}
