#pragma once
// Why the document refused a value of a setting no page edits, in words for a person: what the
// setting's rule asks for. A setting a page edits is refused in its page's words (the shared rule
// check in pages/page_rule_check.h, which asks here for the others).
#include <string>
#include <string_view>

#include "document/settings_catalogue.h"

// UTF-8, one line.
std::string RefusalReason(SettingId id);
// A value as the user typed it, quoted, with line breaks and NUL shown as escapes.
std::string QuotedValue(std::u16string_view value);
