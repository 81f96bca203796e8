#pragma once
// Why the document refused a value, in words for a person: the program's own message where the
// setting's page row has one (the English or chosen language texts), else what the setting's rule
// asks for. The command line and the fleet check show the same reason as the pages.
#include <string>
#include <string_view>

#include "document/settings_catalogue.h"

// UTF-8, one line.
std::string RefusalReason(SettingId id, std::u16string_view value);
// A value as the user typed it, quoted, with line breaks and NUL shown as escapes.
std::string QuotedValue(std::u16string_view value);
