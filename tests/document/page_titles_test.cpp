// A page is called the same in the navigation tree and above its rows, in every language: the
// title of each declared page reads as the caption of the tree node that shows it.
#include <gtest/gtest.h>

#include <map>

#include "pages/node_table.h"
#include "pages/page_declaration.h"
#include "platform/unicode.h"
#include "text/language_file.h"
#include "text/language_texts.h"

namespace {

// Pages whose title deliberately says more than their tree caption, with the reason.
const std::map<uint32_t, const char*> kTitlesThatSayMore = {};

uint32_t CaptionOf(uint32_t nodeId) {
    for (const NodeRow& node : NodeTable()) {
        if (node.nodeId == nodeId && (node.kind == NodeKind::Page || node.kind == NodeKind::InfoPage)) {
            return node.captionId;
        }
    }
    return 0;
}

}  // namespace

TEST(PageTitles, EveryPageTitleReadsAsItsTreeCaption) {
    for (const uint16_t language : {uint16_t{0x0409}, uint16_t{0x0411}}) {
        ClearLanguageTexts();
        ASSERT_FALSE(SelectLanguageFiles(std::string(TALVERO_BIN_DIR) + "/talvero", language, {}).empty());
        for (const PageDeclaration& page : PageDeclarations()) {
            const uint32_t caption = CaptionOf(page.nodeId);
            ASSERT_NE(caption, 0u) << "page " << page.nodeId << " has no tree node";
            if (kTitlesThatSayMore.count(page.nodeId) != 0) {
                continue;
            }
            EXPECT_EQ(Utf16ToUtf8(GetLanguageText(page.titleId)), Utf16ToUtf8(GetLanguageText(caption)))
                << "page " << page.nodeId << ", language " << std::hex << language;
        }
    }
    ClearLanguageTexts();
}
