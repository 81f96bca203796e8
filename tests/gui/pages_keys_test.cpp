// The option key, sub PTT, remote monitor, tone and volume pages driven by key and mouse events.
#include <QTest>

#include "gui/pages/list_view_option_key.h"
#include "gui/pages/list_view_remote_monitor.h"
#include "gui/pages/list_view_sub_function.h"
#include "gui/pages/list_view_tone_key.h"
#include "gui/pages/list_view_tone_radio.h"
#include "gui/pages/list_view_volume.h"
#include "gui_tests.h"
#include "page_under_test.h"
#include "text/language_texts.h"

namespace {

using OptionKey = PageUnderTest<CListViewOptionKey>;

// A typed edit: what is stored, shown and reported afterwards.
struct TypedCase {
    const char16_t* key;
    QString typed;
    std::u16string stored;
    QStringList messages;
};

template <class Page>
void CheckTyped(int row, const TypedCase& c, const std::function<void(CTalveroDoc&)>& fill) {
    PageUnderTest<Page> t(fill);
    t.Type(row, c.typed);
    QCOMPARE(t.doc.Get(c.key), c.stored);
    QCOMPARE(t.Text(row).toStdU16String(), c.stored);
    QCOMPARE(t.prompts.messages, c.messages);
    QCOMPARE(t.doc.IsModified(), c.messages.isEmpty());
    if (!c.messages.isEmpty()) {
        QVERIFY(t.prompts.icons.at(0) == IUserPrompts::Icon::Stop);
    }
}

}  // namespace

class PagesKeysTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { UseLanguage(true); }
    void optionKeyFunctionsEnableTheirRows();
    void optionKeyOneTouchDestination();
    void optionKeyMessages();
    void optionKeyTypedAndChosenValues();
    void subPttRules();
    void remoteMonitorRules();
    void toneRows();
    void volumeRange();
};

void PagesKeysTest::optionKeyFunctionsEnableTheirRows() {
    struct Case {
        const char16_t* key;
        const char16_t* emer;
        std::vector<int> editable;  // rows 2, 3, 4, 7, 8, 9, 11, 12, 13
    };
    const std::vector<Case> cases = {
        {u"none", u"none", {0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {u"onetouch", u"msg", {1, 1, 0, 0, 0, 1, 0, 0, 0}},
        {u"msg", u"onetouch", {0, 0, 1, 1, 1, 0, 0, 0, 0}},
        {u"rx_mute", u"none", {0, 0, 0, 0, 0, 0, 1, 1, 0}},
        {u"none", u"rx_mute", {0, 0, 0, 0, 0, 0, 1, 1, 0}},
        {u"surveillance", u"onetouch_vol", {0, 0, 0, 0, 0, 0, 0, 0, 1}},
    };
    const int rows[] = {2, 3, 4, 7, 8, 9, 11, 12, 13};
    for (const Case& c : cases) {
        OptionKey t([&](CTalveroDoc& doc) {
            doc.Set(u"opt_key", c.key);
            doc.Set(u"opt_emer", c.emer);
            doc.Set(u"opt_key_onetouch_id_type", u"indi");
            doc.Set(u"opt_emer_onetouch_id_type", u"indi");
        });
        for (size_t i = 0; i < std::size(rows); ++i) {
            QVERIFY2(t.Editable(rows[i]) == bool(c.editable[i]), qPrintable(QString("row %1").arg(rows[i])));
            if (!c.editable[i]) {
                QCOMPARE(t.Text(rows[i]), QString());
            }
        }
    }
    // Receive mute on one key, then off again: its rows stay while the other key still has it.
    OptionKey t([](CTalveroDoc& doc) { doc.Set(u"opt_emer", u"rx_mute"); });
    t.Choose(1, T(8968));
    QCOMPARE(t.doc.Get(u"opt_key"), std::u16string(u"rx_mute"));
    t.Choose(1, T(2500));
    QVERIFY(t.Editable(11));
    QCOMPARE(t.Text(12), QString("60"));
    t.Choose(6, T(8985));
    QVERIFY(!t.Editable(11));
    QVERIFY(!t.Editable(12));
    QVERIFY(t.Editable(13));
    QCOMPARE(t.Text(13), QString("0"));
    // Each key offers its own functions; functions only a stored file can hold are shown.
    QCOMPARE(t.ComboItems(1), QStringList({T(2500), T(8965), T(8964), T(8968), T(8986), T(8985), T(8983)}));
    QCOMPARE(t.ComboItems(6),
             QStringList({T(2500), T(8965), T(8964), T(8968), T(8986), T(8985), T(8970), T(8983)}));
    OptionKey stored([](CTalveroDoc& doc) { doc.Set(u"opt_key", u"disc_phone"); });
    QCOMPARE(stored.Text(1), T(8967));
}

void PagesKeysTest::optionKeyOneTouchDestination() {
    const QString dial = "0123456789#*0123456789#*0123456789";
    CheckIdentifierRowEdits<CListViewOptionKey>(
        [](CTalveroDoc& doc) { doc.Set(u"opt_emer", u"onetouch"); }, 8, u"opt_emer_onetouch_id_type",
        u"opt_emer_onetouch_id", u"opt_emer_onetouch_number",
        {
            {u"group", "9", "00009", u"00009", u"", {}},
            {u"indi", "0", "00001", u"00001", u"", {"Enter an ID from 1 to 60000."}},
            {u"tel", dial, dial.left(31), u"00001", dial.left(31).toStdU16String(), {}},
        });
    OptionKey t([](CTalveroDoc& doc) { doc.Set(u"opt_key", u"onetouch"); });
    QCOMPARE(t.Text(2), T(2186));
    QVERIFY(!t.Editable(3));
    t.Choose(2, T(2539));
    QCOMPARE(t.doc.Get(u"opt_key_onetouch_id_type"), std::u16string(u"tel"));
    QVERIFY(t.Editable(3));
    QCOMPARE(t.Text(3), QString());
    t.Type(3, "*12#");
    QCOMPARE(t.doc.Get(u"opt_key_onetouch_number"), std::u16string(u"*12#"));
}

void PagesKeysTest::optionKeyMessages() {
    struct Case {
        const char16_t* stored;
        QString shown;
    };
    // The message number is kept as any text: only 1 to 10 name a message.
    const std::vector<Case> cases = {
        {u"3", " 3 : Help"}, {u"10", "10 : "}, {u"0", ""}, {u"11", ""}, {u"x", ""}};
    for (const Case& c : cases) {
        OptionKey t([&](CTalveroDoc& doc) {
            doc.Set(u"opt_key", u"msg");
            doc.Set(u"msg", 2, u"Help");
            doc.Set(u"opt_key_msg_idx", c.stored);
        });
        QVERIFY(t.Editable(4));
        QCOMPARE(t.Text(4), c.shown);
    }
    OptionKey t([](CTalveroDoc& doc) {
        doc.Set(u"opt_key", u"msg");
        doc.Set(u"msg", 2, u"Help");
    });
    const QStringList items = t.ComboItems(4);
    QCOMPARE(items.size(), 10);
    QCOMPARE(items.at(2), QString(" 3 : Help"));
    t.Choose(4, items.at(2));
    QCOMPARE(t.doc.Get(u"opt_key_msg_idx"), std::u16string(u"3"));
    QCOMPARE(t.Text(4), QString(" 3 : Help"));
}

void PagesKeysTest::optionKeyTypedAndChosenValues() {
    const auto rxMute = [](CTalveroDoc& doc) {
        doc.Set(u"opt_key", u"rx_mute");
        doc.Set(u"opt_key_rx_mute_auto_time", u"60");
    };
    const std::vector<TypedCase> cases = {
        {u"opt_key_rx_mute_auto_time", "045", u"45", {}},  // read back in its stored form
        {u"opt_key_rx_mute_auto_time", "9", u"60", {T(8980)}},
        {u"opt_key_rx_mute_auto_time", "12a34", u"123", {}},  // digits only, three at most
    };
    for (const TypedCase& c : cases) {
        CheckTyped<CListViewOptionKey>(12, c, rxMute);
    }
    OptionKey t([](CTalveroDoc& doc) { doc.Set(u"opt_key", u"onetouch_vol"); });
    const QStringList volumes = t.ComboItems(13);
    QCOMPARE(volumes.size(), 65);
    QCOMPARE(volumes.first(), QString("-32"));
    QCOMPARE(volumes.last(), QString("32"));
    t.Choose(13, "-3");
    QCOMPARE(t.doc.Get(u"opt_key_onetouch_vol"), std::u16string(u"-3"));
    QVERIFY(t.doc.IsModified());
}

void PagesKeysTest::subPttRules() {
    PageUnderTest<CListViewSubFunction> t;
    QVERIFY(!t.Editable(2));
    QVERIFY(!t.Editable(3));
    t.Choose(1, T(9011));
    QCOMPARE(t.doc.Get(u"sub_ptt_sel"), std::u16string(u"ext"));
    QCOMPARE(t.Text(2), T(2186));
    QVERIFY(!t.Editable(3));
    t.Choose(2, T(2535));
    QCOMPARE(t.Text(3), QString("00001"));
    const auto used = [](CTalveroDoc& doc) {
        doc.Set(u"sub_ptt_sel", u"ptt");
        doc.Set(u"sub_def_id_type", u"group");
        doc.Set(u"sub_def_id", u"5");
    };
    for (const TypedCase& c : std::vector<TypedCase>{
             {u"sub_def_id", "123", u"00123", {}},
             {u"sub_def_id", "0", u"00005", {"Enter an ID from 1 to 60000."}},
         }) {
        CheckTyped<CListViewSubFunction>(3, c, used);
    }
}

void PagesKeysTest::remoteMonitorRules() {
    PageUnderTest<CListViewRemoteMonitor> t;
    for (int row = 2; row <= 5; ++row) {
        QCOMPARE(t.Editable(row), row == 4);
    }
    t.Choose(1, T(2501));
    QVERIFY(t.Editable(2));
    QVERIFY(!t.Editable(3));
    t.Choose(2, T(2501));
    QCOMPARE(t.Text(3), QString("00001"));
    t.Choose(4, T(2501));
    QCOMPARE(t.Text(5), QString("60"));
    QCOMPARE(t.ComboItems(5), QStringList({"30", "60", "120", "240"}));
    t.Choose(5, "240");
    QCOMPARE(t.doc.Get(u"rmon_time"), std::u16string(u"240"));
    // Reception off locks the identifier rows again.
    t.Choose(1, T(2500));
    QVERIFY(!t.Editable(2));
    QVERIFY(!t.Editable(3));
    QCOMPARE(t.Text(3), QString());

    const auto identified = [](CTalveroDoc& doc) {
        doc.Set(u"rmon_req_rx", u"on");
        doc.Set(u"rmon_id_sw", u"on");
        doc.Set(u"rmon_id", u"321");
    };
    for (const TypedCase& c : std::vector<TypedCase>{
             {u"rmon_id", "7", u"00007", {}},
             {u"rmon_id", "0", u"00321", {"Enter an ID from 1 to 60000."}},
             {u"rmon_id", "1234567", u"12345", {}},  // five characters at most
         }) {
        CheckTyped<CListViewRemoteMonitor>(3, c, identified);
    }
}

void PagesKeysTest::toneRows() {
    PageUnderTest<CListViewToneKey> key([](CTalveroDoc& doc) { doc.Set(u"key_tone", u"none"); });
    QCOMPARE(key.Text(1), T(2500));
    QVERIFY(!key.Editable(2));
    QVERIFY(!key.Editable(3));
    QCOMPARE(key.Text(2), QString());
    key.Choose(1, T(2501));
    QCOMPARE(key.doc.Get(u"key_tone"), std::u16string(u"tone1"));
    QCOMPARE(key.Text(2), QString("10"));
    QCOMPARE(key.Text(3), T(2501));
    key.Choose(3, T(2500));
    QCOMPARE(key.doc.Get(u"key_tone_gain_link"), std::u16string(u"off"));
    key.Choose(2, "32");
    QCOMPARE(key.doc.Get(u"key_tone_gain"), std::u16string(u"32"));

    PageUnderTest<CListViewToneRadio> radio;
    QCOMPARE(radio.ComboItems(1), NumberTexts(0, 32));
    radio.Choose(1, "0");
    QCOMPARE(radio.doc.Get(u"radio_tone_gain"), std::u16string(u"0"));
    QCOMPARE(radio.Text(1), QString("0"));
    radio.Choose(2, T(2500));
    QCOMPARE(radio.doc.Get(u"radio_tone_gain_link"), std::u16string(u"off"));
}

void PagesKeysTest::volumeRange() {
    struct Case {
        int row;
        QString chosen;
        std::u16string min, max;
        bool refused;
    };
    const std::vector<Case> cases = {
        {1, "25", u"10", u"20", true},   // minimum above the maximum
        {2, "5", u"10", u"20", true},    // maximum below the minimum
        {1, "20", u"20", u"20", false},  // equal is fine
        {2, "32", u"10", u"32", false},
    };
    for (const Case& c : cases) {
        PageUnderTest<CListViewVolume> t([](CTalveroDoc& doc) {
            doc.Set(u"audio_af_max", u"20");
            doc.Set(u"audio_af_min", u"10");
        });
        t.Choose(c.row, c.chosen);
        QCOMPARE(t.doc.Get(u"audio_af_min"), c.min);
        QCOMPARE(t.doc.Get(u"audio_af_max"), c.max);
        QCOMPARE(t.Text(1).toStdU16String(), c.min);
        QCOMPARE(t.Text(2).toStdU16String(), c.max);
        QCOMPARE(t.prompts.messages, c.refused ? QStringList{T(10510)} : QStringList{});
        QCOMPARE(t.doc.IsModified(), !c.refused);
    }
    PageUnderTest<CListViewVolume> t([](CTalveroDoc& doc) { doc.Set(u"ext_afout", u"on"); });
    QCOMPARE(t.ComboItems(4), QStringList({T(2500), T(2501)}));
    t.Choose(4, T(2500));
    QCOMPARE(t.doc.Get(u"ext_afout"), std::u16string(u"off"));
}

static GuiTestRegistration<PagesKeysTest> registration;
#include "pages_keys_test.moc"
