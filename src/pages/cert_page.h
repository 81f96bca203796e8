#pragma once
// The certificate page (node 1038): the four client certificate slots, each a section showing
// the slot's number, then its format, its name and its certificate. A slot's rows edit that
// slot's member of each setting. The certificate itself is never typed: its row offers to import
// one from a file or to delete the one stored, and shows only whether the slot holds one. A new
// format empties the slot, since a certificate of the other format is no use to the radio.
#include <cstdint>

#include "pages/page_row.h"

namespace cert_page {

inline constexpr uint32_t kNodeId = 1038;
inline constexpr int kRowsPerSlot = 4;
// Rows of slot s (0-based): section 4s, format 4s+1, name 4s+2, certificate 4s+3.
constexpr int SectionRow(unsigned slot) {
    return kRowsPerSlot * static_cast<int>(slot);
}
constexpr int FormatRow(unsigned slot) {
    return SectionRow(slot) + 1;
}
constexpr int NameRow(unsigned slot) {
    return SectionRow(slot) + 2;
}
constexpr int CertRow(unsigned slot) {
    return SectionRow(slot) + 3;
}

// The items of a certificate row: what the user can do with the slot.
inline constexpr char16_t kImport[] = u"import";
inline constexpr char16_t kDelete[] = u"delete";

}  // namespace cert_page
