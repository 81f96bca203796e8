#include "pages/page_declaration.h"

#include <algorithm>

#include "pages/node_table.h"
#include "pages/page_list.h"
#include "pages/page_rows.h"

PageDeclaration RowsPage(uint32_t nodeId, uint32_t titleId, std::vector<PageRow> rows) {
    PageDeclaration page;
    page.nodeId = nodeId;
    page.titleId = titleId;
    page.rows = std::move(rows);
    return page;
}

PageDeclaration TablePage(uint32_t nodeId, TableLayout layout) {
    PageDeclaration page;
    page.nodeId = nodeId;
    page.titleId = layout.titleId;
    page.table = std::move(layout);
    return page;
}

void PrepareRow(PageRow& row) {
    // A row's help page is its setting's unless it names another.
    if (row.helpPage.empty() && !row.key.empty() && row.kind != PageRow::Kind::kSection) {
        row.helpPage = HelpPageOf(row.key);
    }
    if (row.kind == PageRow::Kind::kIdentifierOrNumber) {
        row.numberRule = DialNumberTextRule();
    }
    if (row.kind == PageRow::Kind::kText || row.kind == PageRow::Kind::kPassword ||
        row.kind == PageRow::Kind::kIdentifierOrNumber) {
        row.rule = CatalogueTextRule(row.key);
        if (row.adjust) {
            row.adjust(row.rule);
        }
    }
}

const std::vector<PageDeclaration>& PageDeclarations() {
    static const std::vector<PageDeclaration> pages = [] {
        std::vector<PageDeclaration> all = {
            RadioInfoPage(),
            TxCalleePage(),
            EmergencyPage(),
            GpsPage(),
            BluetoothPage(),
            RecordPage(),
            AddressBookSettingPage(),
            AddressBookListPage(),
            MessageSettingPage(),
            MessageListPage(),
            PresenceSettingPage(),
            PresenceListPage(),
            RemoteMonitorPage(),
            SubFunctionPage(),
            CommunicationSettingPage(),
            NoServicePage(),
            DisplayPage(),
            VolumePage(),
            TxTacPage(),
            TxOpPage(),
            TxStartTonePage(),
            TxPriorityPage(),
            TxMicPage(),
            RxNotifyPage(),
            RxNotifyTonePage(),
            RxEndTonePage(),
            RxTalkBackPage(),
            RxMsgTonePage(),
            RxSettingPage(),
            OptionKeyPage(),
            ToneRadioPage(),
            ToneKeyPage(),
            SecurityPassPage(),

            SetModePage(),
            WlanPage(),
            CertPage(),

        };
        // In the order of the tree.
        const auto position = [](const PageDeclaration& page) {
            const auto nodes = NodeTable();
            return std::find_if(nodes.begin(), nodes.end(),
                                [&page](const NodeRow& node) { return node.nodeId == page.nodeId; }) -
                   nodes.begin();
        };
        std::stable_sort(all.begin(), all.end(),
                         [&position](const PageDeclaration& a, const PageDeclaration& b) {
                             return position(a) < position(b);
                         });
        for (PageDeclaration& page : all) {
            for (PageRow& row : page.rows) {
                PrepareRow(row);
            }
            if (page.table) {
                for (TableColumn& column : page.table->columns) {
                    PrepareRow(column.cell);
                }
            }
        }
        return all;
    }();
    return pages;
}

const PageDeclaration* FindPageDeclaration(uint32_t nodeId) {
    for (const PageDeclaration& page : PageDeclarations()) {
        if (page.nodeId == nodeId) {
            return &page;
        }
    }
    return nullptr;
}
