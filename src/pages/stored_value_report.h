#pragma once
// The values a document already holds that their pages would refuse if typed or chosen now (a
// file written by another tool, an older radio). They are loaded and kept as they are, never
// refused on load; the program lists them with the load warnings and asks before writing them to
// a radio, and the command line prints them on `check` and needs a flag to write them.
#include <string>
#include <vector>

#include "document/settings_catalogue.h"
#include "pages/page_rule_check.h"

class CTalveroDoc;

struct RefusedStoredValue {
    SettingId id;
    PageVerdict verdict;
};

// In page order; the identifier-or-number rows judge the half their type uses.
std::vector<RefusedStoredValue> RefusedStoredValues(const CTalveroDoc& doc);
// "name_01_07 (ID list: Name): reason" in the loaded language, one line.
std::u16string DescribeRefusedStoredValue(const RefusedStoredValue& refused);
