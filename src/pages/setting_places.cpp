#include "pages/setting_places.h"

#include <algorithm>

#include "document/settings_catalogue.h"
#include "pages/node_table.h"
#include "pages/page_declaration.h"

const std::vector<SettingPlace>& SettingPlaces() {
    // In the order of the tree; a setting shown on two pages is placed on the first.
    static const std::vector<SettingPlace> kPlaces = [] {
        std::vector<SettingPlace> places;
        auto add = [&places](const NodeRow& node, const PageRow& row, uint32_t labelId) {
            if (row.kind == PageRow::Kind::kSection) {
                return;
            }
            for (const std::u16string* key : {&row.key, &row.numberKey}) {
                const bool placed = std::any_of(places.begin(), places.end(),
                                                [key](const SettingPlace& p) { return p.name == *key; });
                if (!key->empty() && !placed && FindSettingDef(*key)) {
                    places.push_back({SettingsCatalogue()[*FindSettingDef(*key)].name, node.nodeId,
                                      node.captionId, labelId});
                }
            }
        };
        for (const NodeRow& node : NodeTable()) {
            const PageDeclaration* page = node.captionId != 0 ? FindPageDeclaration(node.nodeId) : nullptr;
            if (!page) {
                continue;
            }
            if (page->table) {
                for (const TableColumn& column : page->table->columns) {
                    add(node, column.cell, column.headingId);
                }
            }
            for (const PageRow& row : page->rows) {
                add(node, row, row.labelId);
            }
        }
        return places;
    }();
    return kPlaces;
}

std::optional<SettingPlace> FindSettingPlace(std::u16string_view key) {
    const std::optional<SettingId> id = FindSettingByKey(key);
    if (!id) {
        return std::nullopt;
    }
    const std::u16string_view name = SettingsCatalogue()[id->def].name;
    for (const SettingPlace& place : SettingPlaces()) {
        if (place.name == name) {
            return place;
        }
    }
    return std::nullopt;
}
