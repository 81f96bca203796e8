#include "page_under_test.h"

#include "pages/node_table.h"

std::vector<RegisteredPage> RegisteredPages() {
    std::vector<RegisteredPage> pages;
    for (const NodeRow& row : NodeTable()) {
        const bool page = row.kind == NodeKind::Page || row.kind == NodeKind::InfoPage;
        if (page && FindPageFactory(row.nodeId)) {
            pages.push_back({row.nodeId, row.setIndex});
        }
    }
    return pages;
}

RegisteredPageUnderTest::RegisteredPageUnderTest(const RegisteredPage& registered, CTalveroDoc& doc) {
    PageContext context;
    context.document = &doc;
    context.helpFilePath = (BinDir() + "/talvero.chm").toStdString();
    page = (*FindPageFactory(registered.node))(nullptr, context);
    widget.reset(page->PageWidget());
    grid = qobject_cast<KGridListView*>(widget.get());
    ShowPageForTest(widget.get(), page, registered.setIndex);
}

std::vector<PageEdit>& RoundTripEdits() {
    static std::vector<PageEdit> edits;
    return edits;
}

RoundTripEditRegistration::RoundTripEditRegistration(std::vector<PageEdit> edits) {
    for (PageEdit& edit : edits) {
        RoundTripEdits().push_back(std::move(edit));
    }
}
