// The emergency, GPS, Bluetooth and recording pages driven by key and mouse events.
#include <QTest>

#include "gui/pages/list_view_function_bluetooth.h"
#include "gui/pages/list_view_function_emergency.h"
#include "gui/pages/list_view_function_gps.h"
#include "gui/pages/list_view_function_record.h"
#include "gui_tests.h"
#include "page_under_test.h"
#include "text/language_texts.h"

namespace {

// Setting rows of the emergency page (every row that is not a section heading).
std::vector<int> EmergencyValueRows() {
    std::vector<int> rows;
    for (int row = 1; row < 63; ++row) {
        if (row != 20 && row != 28 && row != 35 && row != 40 && row != 46 && row != 52 && row != 56 &&
            row != 60) {
            rows.push_back(row);
        }
    }
    return rows;
}

using Emergency = PageUnderTest<CListViewFunctionEmergency>;

}  // namespace

class PagesFunctionTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { UseLanguage(true); }
    void emergencySwitchLocksAndFillsThePage();
    void emergencyRepeatAndSecondCallRules();
    void emergencyCountsShowTheirWords();
    void emergencyIdentifierByType();
    void emergencyTexts();
    void gpsSwitch();
    void bluetoothSwitchLocksTwelveRows();
    void recorderSwitch();
};

void PagesFunctionTest::emergencySwitchLocksAndFillsThePage() {
    Emergency t([](CTalveroDoc& doc) {
        doc.Set(u"emer_mand_enabled", u"on");
        doc.Set(u"emer_mand_angle", u"60");
    });
    for (int row : EmergencyValueRows()) {
        QCOMPARE(t.Editable(row), row == 1);
        if (row != 1) {
            QCOMPARE(t.Text(row), QString());
        }
    }
    QVERIFY(t.Open(3) == nullptr);

    t.Choose(1, T(2501));
    QCOMPARE(t.doc.Get(u"emer_enabled"), std::u16string(u"on"));
    QVERIFY(t.doc.IsModified());
    // Every sub-rule at once, from the defaults: tone on, fixed destination of type "all", no
    // repeat calls, no second call, texts per kind off, received tone on, man-down on.
    struct Expect {
        int row;
        bool editable;
        QString text;
    };
    const std::vector<Expect> expected = {
        {2, true, T(2500)},  {3, true, "12"},     {5, true, T(2500)},  {7, true, "32"},
        {10, true, T(2186)}, {11, false, ""},     {12, true, T(2500)}, {15, false, ""},
        {17, true, T(2500)}, {18, false, ""},     {19, false, ""},     {21, false, ""},
        {29, true, ""},      {30, true, T(2500)}, {31, false, ""},     {39, true, T(2559)},
        {42, true, "10"},    {44, true, "60"},    {48, false, ""},     {54, false, ""},
        {61, true, "2"},     {62, true, "7"},
    };
    for (const Expect& e : expected) {
        QVERIFY2(t.Editable(e.row) == e.editable, qPrintable(QString::number(e.row)));
        QCOMPARE(t.Text(e.row), e.text);
    }
    QCOMPARE(t.ComboItems(44), QStringList({"45", "60", "75"}));

    // Turning it off again locks everything but the switch.
    t.Choose(1, T(2500));
    for (int row : EmergencyValueRows()) {
        QCOMPARE(t.Editable(row), row == 1);
    }
}

void PagesFunctionTest::emergencyRepeatAndSecondCallRules() {
    struct Case {
        const char16_t* repeat;
        const char16_t* count2;
        const char16_t* secondTime;
        const char16_t* secondType;
        std::vector<int> editable;  // of rows 12, 14, 15, 16, 17, 18, 19, 21, 27
    };
    const std::vector<Case> cases = {
        {u"on", u"0", u"5", u"indi", {0, 0, 1, 1, 0, 0, 0, 1, 1}},
        {u"on", u"3", u"0", u"indi", {0, 0, 1, 1, 0, 1, 1, 1, 1}},
        {u"on", u"3", u"0", u"all", {0, 0, 1, 1, 0, 1, 0, 1, 1}},
        {u"off", u"3", u"0", u"indi", {1, 1, 0, 0, 1, 0, 0, 0, 0}},
        {u"off", u"0", u"5", u"group", {1, 1, 0, 0, 1, 1, 1, 0, 0}},
    };
    const int rows[] = {12, 14, 15, 16, 17, 18, 19, 21, 27};
    for (const Case& c : cases) {
        Emergency t([&](CTalveroDoc& doc) {
            doc.Set(u"emer_enabled", u"on");
            doc.Set(u"repeatc_enabled", c.repeat);
            doc.Set(u"repeatc_cnt2", c.count2);
            doc.Set(u"emer_2nd_tx_time", c.secondTime);
            doc.Set(u"emer_id_type_2nd", c.secondType);
        });
        for (size_t i = 0; i < std::size(rows); ++i) {
            QVERIFY2(t.Editable(rows[i]) == bool(c.editable[i]),
                     qPrintable(QString("row %1, repeat %2").arg(rows[i]).arg(QString::fromUtf16(c.repeat))));
        }
    }
    // A commit re-applies the rules: the second count makes the second call appear.
    Emergency t([](CTalveroDoc& doc) {
        doc.Set(u"emer_enabled", u"on");
        doc.Set(u"repeatc_enabled", u"on");
        doc.Set(u"emer_id_type_2nd", u"tel");
        doc.Set(u"emer_number_2nd", u"110");
    });
    QVERIFY(!t.Editable(19));
    t.Choose(16, "2");
    QCOMPARE(t.doc.Get(u"repeatc_cnt2"), std::u16string(u"2"));
    QVERIFY(t.Editable(19));
    QCOMPARE(t.Text(19), QString("110"));
    // Turning repeat calls off hands the second call to its time, which is off.
    t.Choose(2, T(2500));
    QVERIFY(!t.Editable(19));
    QVERIFY(t.Editable(17));
}

void PagesFunctionTest::emergencyCountsShowTheirWords() {
    struct Case {
        int row;
        const char16_t* key;
        const char16_t* stored;
        QString shown;
    };
    const std::vector<Case> cases = {
        {15, u"repeatc_cnt1", u"0", T(7528)},
        {15, u"repeatc_cnt1", u"255", "255"},
        {16, u"repeatc_cnt2", u"0", T(2500)},
        {16, u"repeatc_cnt2", u"255", T(7528)},
        {16, u"repeatc_cnt2", u"254", "254"},
        {22, u"repeatc_repeat_time", u"0", T(2500)},
        {54, u"emer_stationary_moni_time", u"0", T(2500)},  // not offered, still shown
    };
    for (const Case& c : cases) {
        Emergency t([&](CTalveroDoc& doc) {
            doc.Set(u"emer_enabled", u"on");
            doc.Set(u"repeatc_enabled", u"on");
            doc.Set(u"emer_stationary", u"on");
            QVERIFY(doc.Set(c.key, c.stored));
        });
        QCOMPARE(t.Text(c.row), c.shown);
    }
    Emergency t([](CTalveroDoc& doc) {
        doc.Set(u"emer_enabled", u"on");
        doc.Set(u"repeatc_enabled", u"on");
        doc.Set(u"emer_stationary", u"on");
    });
    const QStringList second = t.ComboItems(16);
    QCOMPARE(second.size(), 256);
    QCOMPARE(second.mid(0, 3), QStringList({T(2500), T(7528), "1"}));
    QCOMPARE(second.last(), QString("254"));
    QCOMPARE(t.ComboItems(54).first(), QString("1"));
    t.Choose(16, T(7528));
    QCOMPARE(t.doc.Get(u"repeatc_cnt2"), std::u16string(u"255"));
    QCOMPARE(t.Text(16), T(7528));
}

void PagesFunctionTest::emergencyIdentifierByType() {
    const QString dial = "0123456789#*0123456789#*0123456789";
    CheckIdentifierRowEdits<CListViewFunctionEmergency>(
        [](CTalveroDoc& doc) {
            doc.Set(u"emer_enabled", u"on");
            doc.Set(u"emer_id", u"42");
        },
        11, u"emer_id_type", u"emer_id", u"emer_number",
        {
            {u"indi", "7", "00007", u"00007", u"", {}},
            {u"talkgrp", "60001", "00042", u"00042", u"", {"Enter an ID from 1 to 60000."}},
            {u"group", "12#a3", "00123", u"00123", u"", {}},  // only digits reach the field
            {u"tel", dial, dial.left(31), u"00042", dial.left(31).toStdU16String(), {}},
        });
    // Switching the type shows the other stored value, and "all" locks the row.
    Emergency t([](CTalveroDoc& doc) {
        doc.Set(u"emer_enabled", u"on");
        doc.Set(u"emer_id_type", u"tel");
        doc.Set(u"emer_number", u"*99#");
        doc.Set(u"emer_id", u"42");
    });
    QCOMPARE(t.Text(11), QString("*99#"));
    t.Choose(10, T(2535));
    QCOMPARE(t.Text(11), QString("00042"));
    t.Choose(10, T(2186));
    QCOMPARE(t.Text(11), QString());
    QVERIFY(!t.Editable(11));
}

void PagesFunctionTest::emergencyTexts() {
    struct Case {
        int row;
        const char16_t* key;
        QString typed;
        std::u16string stored;
        QStringList messages;
    };
    const std::vector<Case> cases = {
        {29, u"emer_text", QString::fromUtf16(u"救助要請 HELP"), u"救助要請 HELP", {}},
        {29, u"emer_text", QString::fromUtf16(u"A\u2460"), u"old", {T(430)}},
        {33, u"emer_stationary_text", QString(20, 'S'), std::u16string(18, u'S'), {}},  // cut at width 18
    };
    for (const Case& c : cases) {
        Emergency t([&](CTalveroDoc& doc) {
            doc.Set(u"emer_enabled", u"on");
            doc.Set(u"emer_type_notice", u"on");
            doc.Set(c.key, u"old");
        });
        t.Type(c.row, c.typed);
        QCOMPARE(t.doc.Get(c.key), c.stored);
        QCOMPARE(t.Text(c.row).toStdU16String(), c.stored);
        QCOMPARE(t.prompts.messages, c.messages);
    }
}

void PagesFunctionTest::gpsSwitch() {
    PageUnderTest<CListViewFunctionGps> t;
    QCOMPARE(t.page->GetItemCount(), 9);
    QCOMPARE(t.Text(1), T(2501));
    for (int row = 2; row < 9; ++row) {
        QVERIFY(!t.Editable(row));
        QCOMPARE(t.page->GetItemText(row, 0), QString());
    }
    t.Choose(1, T(2500));
    QCOMPARE(t.doc.Get(u"gps_switch"), std::u16string(u"off"));
    QVERIFY(t.doc.IsModified());
}

void PagesFunctionTest::bluetoothSwitchLocksTwelveRows() {
    const std::vector<int> dependent = {2, 3, 4, 6, 8, 9, 10, 11, 13, 14, 15, 16};
    PageUnderTest<CListViewFunctionBluetooth> t([](CTalveroDoc& doc) {
        doc.Set(u"bluetooth", u"on");
        doc.Set(u"bt_sco_link", u"auto");
        doc.Set(u"ptt_mic_sw", u"bt");
        doc.Set(u"bt_mic_gain", u"0");
    });
    QCOMPARE(t.Text(3), T(8557));
    QCOMPARE(t.Text(4), T(8562));
    QCOMPARE(t.Text(6), QString("15"));
    QCOMPARE(t.Text(9), QString("0"));
    QCOMPARE(t.ComboItems(9), NumberTexts(0, 20));
    t.Choose(9, "7");
    QCOMPARE(t.doc.Get(u"bt_mic_gain"), std::u16string(u"7"));
    t.Choose(4, T(8561));
    QCOMPARE(t.doc.Get(u"ptt_mic_sw"), std::u16string(u"radio"));

    t.Choose(1, T(2500));
    QCOMPARE(t.doc.Get(u"bluetooth"), std::u16string(u"off"));
    for (int row : dependent) {
        QVERIFY(!t.Editable(row));
        QCOMPARE(t.Text(row), QString());
    }
    t.Choose(1, T(2501));
    for (int row : dependent) {
        QVERIFY(t.Editable(row));
    }
    QCOMPARE(t.Text(9), QString("7"));
    QCOMPARE(t.Text(3), T(8557));
    QCOMPARE(t.Text(15), T(2500));
}

void PagesFunctionTest::recorderSwitch() {
    PageUnderTest<CListViewFunctionRecord> t;
    QCOMPARE(t.Text(1), T(2500));
    QVERIFY(!t.Editable(2));
    QVERIFY(!t.Editable(3));
    t.Choose(1, T(2501));
    QCOMPARE(t.Text(2), T(2534));
    QCOMPARE(t.Text(3), T(2501));
    t.Choose(2, T(2540));
    QCOMPARE(t.doc.Get(u"rec_target"), std::u16string(u"all"));
    QCOMPARE(t.Text(2), T(2540));
}

static GuiTestRegistration<PagesFunctionTest> registration;
#include "pages_function_test.moc"
