// The calling and receiving pages driven by key and mouse events with the English texts: their
// dependency rules, refusals with their messages, the talk group lists and the values the
// combos store.
#include <QTest>

#include "document/talvero_doc.h"
#include "gui/pages/list_view_rx_msg_tone.h"
#include "gui/pages/list_view_rx_notify_tone.h"
#include "gui/pages/list_view_rx_setting.h"
#include "gui/pages/list_view_rx_talk_back.h"
#include "gui/pages/list_view_tx_callee.h"
#include "gui/pages/list_view_tx_mic.h"
#include "gui_support.h"
#include "gui_tests.h"
#include "page_under_test.h"
#include "text/language_texts.h"

namespace {

QString U(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

void MakeGroup(CTalveroDoc& doc, unsigned index, const char16_t* type, const char16_t* name,
               const char16_t* id) {
    doc.Set(u"id_type", index, type);
    doc.Set(u"name", index, name);
    doc.Set(u"id", index, id);
}

enum { kCallType = 1, kDefaultId = 2, kTalkGroup = 3, kHomeGroup = 4, kAllText = 6 };
enum { kSidetone = 8, kEcho = 10, kAttack = 13, kDelay = 15, kThreshold = 16 };

}  // namespace

class CallingPagesTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { UseLanguage(true); }
    void defaultIdFollowsCallType();
    void typedRefusals();
    void talkGroupChoices();
    void sidetoneLocksEchoCanceller();
    void choicesStoreTheirValues();
    void callToneGroupsEnableTheirRows();
    void messageToneRepetitions();
    void storedValuesTheCombosDoNotOffer();
};

void CallingPagesTest::defaultIdFollowsCallType() {
    PageUnderTest<CListViewTxCallee> t;
    QCOMPARE(t.page->GetItemText(kCallType, 1), T(2186));
    QCOMPARE(t.page->GetItemText(kDefaultId, 1), QString());
    QVERIFY(!t.page->IsCellEditable(kDefaultId, 1));
    QVERIFY(t.Open(kDefaultId, 1) == nullptr);
    t.Choose(kCallType, 1, T(2535));
    QCOMPARE(t.doc.Get(u"def_id_type"), std::u16string(u"indi"));
    QVERIFY(t.page->IsCellEditable(kDefaultId, 1));
    QCOMPARE(t.page->GetItemText(kDefaultId, 1), QString("00001"));
    t.Type(kDefaultId, 1, "7");
    QCOMPARE(t.doc.Get(u"def_id"), std::u16string(u"00007"));
    QCOMPARE(t.page->GetItemText(kDefaultId, 1), QString("00007"));
    // Back to all: blank and locked again, the stored identifier kept.
    t.Choose(kCallType, 1, T(2186));
    QCOMPARE(t.page->GetItemText(kDefaultId, 1), QString());
    QCOMPARE(t.doc.Get(u"def_id"), std::u16string(u"00007"));
}

void CallingPagesTest::typedRefusals() {
    // One refused value per typed row: its message with the stop icon, cell and document as before.
    struct Case {
        int row;
        QString typed;
        QString message;
        const char16_t* key;
        std::u16string kept;
    };
    const std::vector<Case> callee = {
        {kDefaultId, "60001", "Enter an ID from 1 to 60000.", u"def_id", u"00042"},
        {kDefaultId, "0", "Enter an ID from 1 to 60000.", u"def_id", u"00042"},
        {kAllText, QString::fromUtf16(u"\u2460"), T(430), u"all_text", u"Hi"},
    };
    for (const Case& c : callee) {
        PageUnderTest<CListViewTxCallee> t([](CTalveroDoc& doc) {
            doc.Set(u"def_id_type", u"group");
            doc.Set(u"def_id", u"42");
            doc.Set(u"all_text", u"Hi");
        });
        t.doc.SetModifiedFlag(false);
        t.Type(c.row, 1, c.typed);
        QCOMPARE(t.prompts.messages, QStringList{c.message});
        QVERIFY(t.prompts.icons.at(0) == IUserPrompts::Icon::Stop);
        QCOMPARE(t.doc.Get(c.key), c.kept);
        QCOMPARE(U(t.page->GetItemText(c.row, 1).toStdU16String()), U(c.kept));
        QVERIFY(!t.doc.IsModified());
    }
    const std::vector<Case> mic = {
        {kAttack, "1996", T(3390), u"vox_attack_time", u"50"},
        {kAttack + 1, "1996", T(3391), u"vox_release_time", u"200"},
    };
    for (const Case& c : mic) {
        PageUnderTest<CListViewTxMic> t;
        t.Type(c.row, 1, c.typed);
        QCOMPARE(t.prompts.messages, QStringList{c.message});
        QCOMPARE(t.doc.Get(c.key), c.kept);
        QCOMPARE(t.page->GetItemText(c.row, 1), U(c.kept));
    }
    PageUnderTest<CListViewRxTalkBack> talk;
    talk.Type(1, 1, "601");
    QCOMPARE(talk.prompts.messages, QStringList{T(8155)});
    QCOMPARE(talk.doc.Get(u"talk_back_time_phone"), std::u16string(u"15"));
    // Accepted: the stored form is shown, and the field never takes more digits than the rule.
    talk.Type(1, 1, "0600");
    QCOMPARE(talk.doc.Get(u"talk_back_time_phone"), std::u16string(u"60"));
    PageUnderTest<CListViewTxMic> delay;
    delay.Type(kDelay, 1, "5000");
    QCOMPARE(delay.doc.Get(u"vox_delay"), std::u16string(u"500"));
    QVERIFY(delay.prompts.messages.isEmpty());
    QVERIFY(delay.doc.IsModified());
}

void CallingPagesTest::talkGroupChoices() {
    PageUnderTest<CListViewTxCallee> t([](CTalveroDoc& doc) {
        MakeGroup(doc, 2, u"user_group", u"Ops", u"77");
        MakeGroup(doc, 4, u"indi", u"Ann", u"5");
        MakeGroup(doc, 6, u"user_group", u"Yard", u"9");
    });
    QCOMPARE(t.page->GetItemText(kTalkGroup, 1), T(2500));
    const QStringList items = t.ComboItems(kTalkGroup, 1);
    QCOMPARE(items, QStringList({T(2500), "003: Ops (00077)", "007: Yard (00009)"}));
    QCOMPARE(t.ComboItems(kHomeGroup, 1), items);
    t.Choose(kTalkGroup, 1, items.at(2));
    QCOMPARE(t.doc.Get(u"def_id_list_talkgrp"), std::u16string(u"7"));
    QVERIFY(t.doc.IsModified());
    QCOMPARE(t.page->GetItemText(kTalkGroup, 1), items.at(2));
    // The stored group's entry stops being a user group: it keeps its number, now shown as off.
    t.doc.Set(u"id_type", 6, u"indi");
    t.page->OnDocumentUpdate(kHintLoaded);
    QCOMPARE(t.page->GetItemText(kTalkGroup, 1), "007: " + T(2500));
    QCOMPARE(t.ComboItems(kTalkGroup, 1), QStringList({T(2500), "003: Ops (00077)"}));
    t.Choose(kHomeGroup, 1, "003: Ops (00077)");
    QCOMPARE(t.doc.Get(u"home_talkgrp"), std::u16string(u"3"));
    QCOMPARE(t.doc.Get(u"def_id_list_talkgrp"), std::u16string(u"7"));
}

void CallingPagesTest::sidetoneLocksEchoCanceller() {
    PageUnderTest<CListViewTxMic> t;
    QVERIFY(t.page->IsCellEditable(kEcho, 1));
    QCOMPARE(t.page->GetItemText(kEcho, 1), T(2501));
    t.Choose(kSidetone, 1, T(2501));
    QCOMPARE(t.doc.Get(u"ear_sidetone"), std::u16string(u"on"));
    // The sidetone turned the echo canceller off; the row shows that and is read-only.
    QCOMPARE(t.doc.Get(u"ear_ec"), std::u16string(u"off"));
    QCOMPARE(t.page->GetItemText(kEcho, 1), T(2500));
    QVERIFY(!t.page->IsCellEditable(kEcho, 1));
    QVERIFY(t.Open(kEcho, 1) == nullptr);
    t.Choose(kSidetone, 1, T(2500));
    QVERIFY(t.page->IsCellEditable(kEcho, 1));
    t.Choose(kEcho, 1, T(2501));
    QCOMPARE(t.doc.Get(u"ear_ec"), std::u16string(u"on"));
}

void CallingPagesTest::choicesStoreTheirValues() {
    // One choice per kind of combo on the calling and receiving pages, through the registered page.
    struct Case {
        uint32_t node;
        int row;
        QString item;
        const char16_t* key;
        std::u16string stored;
    };
    const std::vector<Case> cases = {
        {1005, 1, T(2500), u"tac", u"off"},
        {1005, 3, T(2500), u"tac_ng_tone", u"none"},
        {1006, 3, T(2501), u"ptt_lock", u"on"},  // no value rule: stored as is
        {1006, 5, T(2501), u"ptt_toggle", u"on"},
        {1007, 4, T(2518), u"tx_start_tel_tone", u"tone8"},
        {1008, 1, T(2501), u"pri_call", u"on"},
        {1009, 1, "-3", u"int_mic_gain", u"-3"},
        {1009, 4, T(8561), u"auto_tx_micsel", u"radio"},
        {1009, 9, "32", u"ear_sidetone_vol", u"32"},
        {1009, 11, T(2574), u"ear_vox", u"bluetooth_btptt"},
        {1009, kThreshold, "100", u"vox_thresh", u"100"},
        {1010, 1, T(8005), u"call_action", u"beep+vib"},
        {1010, 2, "0", u"tone_vol", u"0"},
        {1012, 2, T(2500), u"rx_end_group_tone", u"none"},
        {1013, 2, T(2500), u"talk_back_time", u"0"},
        {1013, 3, "30", u"talk_back_time_emer", u"30"},
        {1013, 4, T(2500), u"talk_back_calling", u"off"},
        {1015, 1, T(8252), u"jitter_size", u"0"},
        {1015, 1, "480", u"jitter_size", u"480"},
        {1015, 2, T(2500), u"opt_key_disc_phone", u"off"},
    };
    for (const Case& c : cases) {
        CTalveroDoc doc;
        doc.OnNewDocument();
        doc.Set(u"jitter_size", u"100");
        doc.SetModifiedFlag(false);
        ScriptedPrompts prompts;
        RegisteredPageUnderTest t({c.node, 0}, doc);
        t.Choose(c.row, 1, c.item);
        QCOMPARE(U(doc.Get(c.key)), U(c.stored));
        QVERIFY2(doc.IsModified(), qPrintable(QString::fromStdU16String(c.key)));
        QCOMPARE(t.grid->GetItemText(c.row, 1), c.item);
    }
}

void CallingPagesTest::callToneGroupsEnableTheirRows() {
    // Rows: tone, notice and repetitions of individual (1-3), group (5-7), all (9-11), telephone (13-15).
    PageUnderTest<CListViewRxNotifyTone> t([](CTalveroDoc& doc) { doc.Set(u"call_indi_tone", u"tone1"); });
    auto enabled = [&] {
        std::vector<bool> rows;
        for (int tone : {1, 5, 9, 13}) {
            rows.push_back(t.page->IsCellEditable(tone + 1, 1) && t.page->IsCellEditable(tone + 2, 1));
        }
        return rows;
    };
    QCOMPARE(enabled(), std::vector<bool>({true, false, false, false}));
    QCOMPARE(t.page->GetItemText(2, 1), T(2556));
    QCOMPARE(t.page->GetItemText(3, 1), T(2552));
    QCOMPARE(t.page->GetItemText(6, 1), QString());
    t.Choose(5, 1, T(2513));
    QCOMPARE(t.doc.Get(u"call_group_tone"), std::u16string(u"tone3"));
    QCOMPARE(enabled(), std::vector<bool>({true, true, false, false}));
    QCOMPARE(t.page->GetItemText(7, 1), T(2552));
    t.Choose(7, 1, T(2550));
    QCOMPARE(t.doc.Get(u"call_group_tone_cnt"), std::u16string(u"continuous"));
    // Individual calls to off: only their own rows are blanked and locked; the values stay stored.
    t.Choose(1, 1, T(2500));
    QCOMPARE(enabled(), std::vector<bool>({false, true, false, false}));
    QCOMPARE(t.page->GetItemText(2, 1), QString());
    QCOMPARE(t.doc.Get(u"call_indi_tone_notice"), std::u16string(u"bel"));
    QCOMPARE(t.page->GetItemText(7, 1), T(2550));
}

void CallingPagesTest::messageToneRepetitions() {
    PageUnderTest<CListViewRxMsgTone> t;
    QVERIFY(!t.page->IsCellEditable(2, 1));
    QCOMPARE(t.page->GetItemText(2, 1), QString());
    t.Choose(1, 1, T(2511));
    QVERIFY(t.page->IsCellEditable(2, 1));
    QCOMPARE(t.page->GetItemText(2, 1), T(2552));
    QCOMPARE(t.ComboItems(2, 1), QStringList({T(2551), T(2552), T(2553), T(2554)}));
    t.Choose(2, 1, T(2554));
    QCOMPARE(t.doc.Get(u"msg_tone_cnt"), std::u16string(u"cnt20"));
}

void CallingPagesTest::storedValuesTheCombosDoNotOffer() {
    // Values a configuration may hold that no item offers are shown as they are, not blanked.
    PageUnderTest<CListViewRxSetting> jitter([](CTalveroDoc& doc) { doc.Set(u"jitter_size", u"60"); });
    QCOMPARE(jitter.page->GetItemText(1, 1), QString("60"));
    PageUnderTest<CListViewRxTalkBack> talk([](CTalveroDoc& doc) { doc.Set(u"talk_back_time", u"0"); });
    QCOMPARE(talk.page->GetItemText(2, 1), T(2500));
    QCOMPARE(talk.page->GetItemText(3, 1), QString("7"));
    PageUnderTest<CListViewTxMic> mic([](CTalveroDoc& doc) { doc.Set(u"vox_thresh", u"250"); });
    QCOMPARE(mic.page->GetItemText(kThreshold, 1), QString("250"));
    QCOMPARE(mic.page->GetItemText(1, 1), QString("0"));
}

namespace {
using Edit = PageEdit::Action;
const RoundTripEditRegistration callingPageEdits({
    {.node = 1004, .row = kCallType, .textId = 2535, .keys = {u"def_id_type_01"}},
    {.node = 1004, .row = kDefaultId, .action = Edit::kType, .literal = "42", .keys = {u"def_id_01"}},
    {.node = 1006, .row = 3, .textId = 2501, .keys = {u"ptt_lock_01"}},
    {.node = 1009, .row = 1, .literal = "-3", .keys = {u"int_mic_gain_01"}},
    // The sidetone turns the echo canceller off.
    {.node = 1009, .row = kSidetone, .textId = 2501, .keys = {u"ear_sidetone_01", u"ear_ec_01"}},
    {.node = 1009, .row = kAttack, .action = Edit::kType, .literal = "120", .keys = {u"vox_attack_time_01"}},
    {.node = 1011, .row = 1, .textId = 2512, .keys = {u"call_indi_tone_01"}},
    {.node = 1013, .row = 2, .textId = 2500, .keys = {u"talk_back_time_01"}},
    {.node = 1015, .row = 1, .literal = "480", .keys = {u"jitter_size_01"}},
});
}  // namespace

static GuiTestRegistration<CallingPagesTest> registration;
#include "pages_calling_test.moc"
