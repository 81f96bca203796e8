#pragma once
// One line naming a talk group (an ID list entry of type "user_group"), as the talk group rows
// list them: its number, then its name and ID, or "off" when the entry is no user group.
#include <string>
#include <vector>

class CTalveroDoc;

// n is 0 (no talk group) to 500; a number past the list reads as an entry that is no user group.
std::u16string TalkGroupDescription(const CTalveroDoc& doc, unsigned n);
// 0, then every "user_group" entry in increasing order.
std::vector<unsigned> TalkGroupNumbers(const CTalveroDoc& doc);
