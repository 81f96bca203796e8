#include "platform/version_block.h"

bool QueryVersionBlockString(const VersionBlock& block, uint16_t language, uint16_t codePage,
                             std::u16string_view name, std::u16string& value) {
    for (const auto& table : block.stringTables) {
        if (table.language != language || table.codePage != codePage) {
            continue;
        }
        for (const auto& [key, text] : table.values) {
            if (key == name) {
                value = text;
                return true;
            }
        }
    }
    return false;
}
