#pragma once
// How the command-line tool names a setting and shows its values: the page and row label the
// program shows for it (English texts), the key itself, and secrets masked.
#include <string>

#include "document/settings_compare.h"

class CTalveroDoc;

// "Page title: Row label" (a table row with its entry); the empty text for a setting no page shows.
std::string SettingLabel(const std::u16string& key);
// The value as it may be shown (UTF-8, quoted); a secret's value masked; cut to 64 characters
// with control characters escaped.
std::string ShownValue(const std::u16string& key, const std::u16string& value);
// The same, as the page shows it in `doc` with the stored value after it: 'Individual (indi)'.
std::string ShownValue(const CTalveroDoc& doc, const std::u16string& key, const std::u16string& value);
// "key (Page: Label): written 'a', read back 'b'" for a verified write, the values as the pages
// of `doc` (the configuration written) show them.
std::string DescribeReadBack(const CTalveroDoc& doc, const SettingDifference& difference);
