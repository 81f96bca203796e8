// The WLAN and certificate pages driven by mouse and key events with the English texts loaded:
// the security chain of a profile, addresses, the channel list dialog, and certificate import and
// delete with answered dialogs over files made by openssl.
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>
#include <QTreeWidgetItem>

#include "../certs/cert_fixtures.h"
#include "certs/cert_slot.h"
#include "gui/dialogs/dlg_cert_password.h"
#include "gui/dialogs/dlg_ch_select.h"
#include "gui/editor/k_edit.h"
#include "gui/pages/list_view_cert.h"
#include "gui/pages/list_view_wlan.h"
#include "gui/shell/chm_archive.h"
#include "gui_tests.h"
#include "page_under_test.h"
#include "platform/unicode.h"
#include "text/language_texts.h"

namespace {

using W = CListViewWlan;
using WlanPage = PageUnderTest<CListViewWlan>;
using CertPage = PageUnderTest<CListViewCert>;

// Clicks a dialog's OK button, as the user does.
void ClickOk(QDialog* dialog) {
    auto* box = dialog->findChild<QDialogButtonBox*>();
    QTest::mouseClick(box->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

// Answers the channel dialog by clicking exactly the given channels, then OK.
std::function<int(QDialog*)> CheckChannels(QList<int> channels) {
    return [channels](QDialog* d) {
        auto* dialog = qobject_cast<CDlgchSelect*>(d);
        dialog->show();
        for (int ch = 1; ch <= CDlgchSelect::kChannels; ++ch) {
            if (dialog->ChannelBox(ch)->isChecked() != channels.contains(ch)) {
                QTest::mouseClick(dialog->ChannelBox(ch), Qt::LeftButton, {}, QPoint(5, 5));
            }
        }
        ClickOk(dialog);
        return dialog->result();
    };
}

// Answers the certificate password dialog by typing the password and pressing Enter.
std::function<int(QDialog*)> TypePassword(const QString& password) {
    return [password](QDialog* d) {
        auto* dialog = qobject_cast<CDlgCertPassword*>(d);
        dialog->show();
        QTest::keyClicks(dialog->Edit(), password);
        QTest::keyClick(dialog->Edit(), Qt::Key_Return);
        return dialog->result();
    };
}

}  // namespace

class WlanCertPagesTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { fx = std::make_unique<CertFixtures>(); }
    void cleanupTestCase() { fx.reset(); }
    void init() { UseLanguage(true); }
    void securityChain();
    void addresses();
    void preSharedKeyRefused();
    void channelList();
    void channelDialogNeedsAChannel();
    void roamingThreshold();
    void certificateImportAndDelete();
    void certificateImportFailures();
    void formatChoiceEmptiesSlot();
    void everyRowHasItsHelpPage();
    void fullyWorded();
    void wlanFolderHoldsBothPages();
    void settingSelectsItsMembersRow();

  private:
    std::unique_ptr<CertFixtures> fx;
};

void WlanCertPagesTest::securityChain() {
    constexpr unsigned p = 2;  // profile 3
    WlanPage t;
    QVERIFY(!t.Editable(W::Row(p, W::kSecurity)));
    t.Type(W::Row(p, W::kSsid), 1, "office");
    QCOMPARE(t.page->GetItemText(W::Row(p, W::kSecurity), 1), T(10012));
    QCOMPARE(t.ComboItems(W::Row(p, W::kEncryption), 1), QStringList{T(10050)});

    // An 802.1X security shows the 802.1X rows; PEAP also shows password and outer identity.
    t.Choose(W::Row(p, W::kSecurity), 1, T(10018));
    QCOMPARE(t.doc.Get(u"wlan_enc", p), std::u16string(u"aes"));
    QCOMPARE(t.page->GetItemText(W::Row(p, W::kEncryption), 1), T(10055));
    QVERIFY(!t.Editable(W::Row(p, W::kPsk)));
    for (auto r : {W::kEapType, W::kEapIdentity, W::kEapPassword, W::kEapOuterIdentity, W::kEapCertIndex}) {
        QVERIFY2(t.Editable(W::Row(p, r)), qPrintable(QString::number(r)));
    }
    t.Type(W::Row(p, W::kEapPassword), 1, "pa55");
    QCOMPARE(t.doc.Get(u"eap_passwd", p), std::u16string(u"pa55"));
    QCOMPARE(t.page->GetItemText(W::Row(p, W::kEapPassword), 1), QString("****"));

    // TLS hides password and outer identity and points at certificate 1.
    QVERIFY(t.doc.Set(u"eap_cert_cert_idx", p, u"3"));
    QVERIFY(t.doc.Set(u"eap_cert_name", 0, u"corp"));
    t.Choose(W::Row(p, W::kEapType), 1, T(10064));
    QCOMPARE(t.doc.Get(u"eap_cert_cert_idx", p), std::u16string(u"1"));
    QCOMPARE(t.page->GetItemText(W::Row(p, W::kEapCertIndex), 1), QString("1 : corp"));
    QVERIFY(!t.Editable(W::Row(p, W::kEapPassword)) && !t.Editable(W::Row(p, W::kEapOuterIdentity)));
    QCOMPARE(t.page->GetItemText(W::Row(p, W::kEapPassword), 1), QString());
    QCOMPARE(t.ComboItems(W::Row(p, W::kEapCertIndex), 1).size(), 4);  // no "no certificate" for TLS

    // A mixed pre-shared-key security: AES or TKIP/AES, the placeholder key shown as stars.
    t.Choose(W::Row(p, W::kSecurity), 1, T(10016));
    QCOMPARE(t.ComboItems(W::Row(p, W::kEncryption), 1), (QStringList{T(10055), T(10056)}));
    QCOMPARE(t.page->GetItemText(W::Row(p, W::kPsk), 1), QString("********"));
    QVERIFY(t.Editable(W::Row(p, W::kPsk)));
    QVERIFY(!t.Editable(W::Row(p, W::kEapType)));

    // Emptying the SSID blanks and locks every row after it, in this profile only.
    QVERIFY(t.doc.Set(u"wlan_ssid", 4, u"other"));
    t.page->RefreshFromDocument();
    t.Type(W::Row(p, W::kSsid), 1, "");
    QCOMPARE(t.doc.Get(u"wlan_sec", p), std::u16string(u"open"));
    for (auto r : {W::kSecurity, W::kEncryption, W::kPsk, W::kEapType, W::kEapIdentity, W::kEapCertIndex}) {
        QVERIFY(!t.Editable(W::Row(p, r)));
        QCOMPARE(t.page->GetItemText(W::Row(p, r), 1), QString());
    }
    QVERIFY(t.Editable(W::Row(p, W::kSsid)));
    QVERIFY(t.Editable(W::Row(4, W::kSecurity)));
}

void WlanCertPagesTest::addresses() {
    constexpr unsigned p = 0;
    WlanPage t([](CTalveroDoc& doc) { doc.Set(u"wlan_dhcp", 1, u"off"); });
    for (auto r : {W::kIpAddr, W::kSubnet, W::kGateway, W::kDns1, W::kDns2}) {
        QVERIFY(!t.Editable(W::Row(p, r)));
        QVERIFY2(t.Editable(W::Row(1, r)), "profile 2 has DHCP off");
    }
    t.Choose(W::Row(p, W::kDhcp), 1, T(2500));
    QVERIFY(t.Editable(W::Row(p, W::kIpAddr)));
    t.Type(W::Row(p, W::kIpAddr), 1, "192.168.001.010");
    QCOMPARE(t.page->GetItemText(W::Row(p, W::kIpAddr), 1), QString("192.168.1.10"));
    const struct {
        W::ProfileRow row;
        const char* typed;
        uint32_t message;
    } refused[] = {{W::kIpAddr, "192.168.1", 4020},
                   {W::kSubnet, "255.255.255.256", 4021},
                   {W::kGateway, "1.2.3.4.", 4022},
                   {W::kDns2, "1..2.3", 4023}};
    for (const auto& c : refused) {
        const QString before = t.page->GetItemText(W::Row(p, c.row), 1);
        t.Type(W::Row(p, c.row), 1, c.typed);
        QCOMPARE(t.prompts.messages.last(), T(c.message));
        QVERIFY(t.prompts.icons.last() == IUserPrompts::Icon::Stop);
        QCOMPARE(t.page->GetItemText(W::Row(p, c.row), 1), before);
    }
    QCOMPARE(t.doc.Get(u"wlan_ipaddr", p), std::u16string(u"192.168.1.10"));
    // Letters never reach an address field.
    t.Type(W::Row(p, W::kDns1), 1, "8.8.x8.8");
    QCOMPARE(t.doc.Get(u"wlan_dns1", p), std::u16string(u"8.8.8.8"));
}

void WlanCertPagesTest::preSharedKeyRefused() {
    WlanPage t([](CTalveroDoc& doc) {
        doc.Set(u"wlan_ssid", 0, u"net");
        doc.Set(u"wlan_sec", 0, u"wpa2_wpa3sae");
    });
    const int row = W::Row(0, W::kPsk);
    t.Type(row, 1, QString(64, 'a'));
    QCOMPARE(t.prompts.messages, QStringList{T(10151)});
    QCOMPARE(t.doc.Get(u"wlan_psk", 0), std::u16string(u"52917364"));
    t.Type(row, 1, QString(63, 'b'));
    QCOMPARE(t.doc.Get(u"wlan_psk", 0), std::u16string(63, u'b'));
    QCOMPARE(t.page->GetItemText(row, 1), QString(63, '*'));
}

void WlanCertPagesTest::channelList() {
    WlanPage t;
    // Cancelled: nothing stored, the cell keeps its text.
    t.Choose(W::kChannelRow, 1, T(10108));
    QCOMPARE(t.prompts.dialogs, QStringList{"CDlgchSelect"});
    QCOMPARE(t.doc.Get(u"wlan_ch"), std::u16string(u"auto_1"));
    QCOMPARE(t.page->GetItemText(W::kChannelRow, 1), T(10093));
    QVERIFY(!t.Editable(W::kCustomRow));

    t.prompts.onDialog = CheckChannels({1, 6, 11});
    t.Choose(W::kChannelRow, 1, T(10108));
    QCOMPARE(t.doc.Get(u"wlan_ch"), std::u16string(u"custom"));
    QCOMPARE(t.doc.Get(u"wlan_ch_custom"), std::u16string(u"1,6,11"));
    QCOMPARE(t.page->GetItemText(W::kCustomRow, 1), QString("1,6,11"));

    // The list row opens the dialog, which starts from the stored list.
    t.prompts.onDialog = [](QDialog* d) {
        auto* dialog = qobject_cast<CDlgchSelect*>(d);
        return dialog->ChannelBox(6)->isChecked() && !dialog->ChannelBox(2)->isChecked()
                   ? CheckChannels({2, 13})(d)
                   : int(QDialog::Rejected);
    };
    QVERIFY(t.Open(W::kCustomRow, 1) == nullptr);
    QCOMPARE(t.doc.Get(u"wlan_ch_custom"), std::u16string(u"2,13"));
    QCOMPARE(t.page->GetItemText(W::kCustomRow, 1), QString("2,13"));

    // Choosing the custom list again opens the dialog again.
    t.prompts.onDialog = CheckChannels({3});
    t.Choose(W::kChannelRow, 1, T(10108));
    QCOMPARE(t.doc.Get(u"wlan_ch_custom"), std::u16string(u"3"));
    t.Choose(W::kChannelRow, 1, T(10095));
    QCOMPARE(t.doc.Get(u"wlan_ch"), std::u16string(u"1"));
    QVERIFY(!t.Editable(W::kCustomRow));
}

void WlanCertPagesTest::channelDialogNeedsAChannel() {
    ScriptedPrompts prompts;
    // Parts that are no channel are ignored.
    CDlgchSelect dialog(u"4, 13,x,0,14,7abc");
    QList<int> checked;
    for (int ch = 1; ch <= CDlgchSelect::kChannels; ++ch) {
        if (dialog.ChannelBox(ch)->isChecked()) {
            checked << ch;
        }
    }
    QCOMPARE(checked, (QList<int>{4, 7, 13}));
    CheckChannels({})(&dialog);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(prompts.messages, QStringList{T(10215)});
    QCOMPARE(dialog.m_channels, std::u16string(u"4, 13,x,0,14,7abc"));
}

void WlanCertPagesTest::roamingThreshold() {
    WlanPage t;
    QCOMPARE(t.page->GetItemText(W::kRoamRow, 1), QString("-75"));
    t.Choose(W::kRoamRow, 1, "-60");
    QCOMPARE(t.doc.Get(u"wlan_roam_rssi"), std::u16string(u"60"));
    QCOMPARE(t.page->GetItemText(W::kRoamRow, 1), QString("-60"));
}

void WlanCertPagesTest::certificateImportAndDelete() {
    CertPage t;
    const int row = CListViewCert::CertRow(1);
    QCOMPARE(t.page->GetItemText(row, 1), T(kTextIdCertEmpty));
    QCOMPARE(t.ComboItems(row, 1), QStringList{T(kTextIdCertImport)});

    t.prompts.openName = QString::fromStdString(fx->p12Password);
    t.prompts.onDialog = TypePassword(CertFixtures::kPassword);
    t.Choose(row, 1, T(kTextIdCertImport));
    QCOMPARE(t.prompts.filters, QStringList{T(kTextIdCertPfxFilter)});
    QCOMPARE(t.prompts.dialogs, QStringList{"CDlgCertPassword"});
    QCOMPARE(t.prompts.messages, QStringList{});
    QCOMPARE(t.doc.Get(u"eap_cert_passwd", 1), Utf8ToUtf16(CertFixtures::kPassword));
    QVERIFY(!t.doc.Get(u"eap_cert_cert", 1).empty());
    QVERIFY(t.doc.IsModified());
    QCOMPARE(t.page->GetItemText(row, 1), T(kTextIdCertStored));

    QCOMPARE(t.ComboItems(row, 1), (QStringList{T(kTextIdCertImport), T(kTextIdCertDelete)}));
    t.Choose(row, 1, T(kTextIdCertDelete));
    QVERIFY(t.doc.Get(u"eap_cert_cert", 1).empty() && t.doc.Get(u"eap_cert_passwd", 1).empty());
    QCOMPARE(t.page->GetItemText(row, 1), T(kTextIdCertEmpty));
}

void WlanCertPagesTest::certificateImportFailures() {
    CertPage t;
    const int row = CListViewCert::CertRow(0);
    const struct {
        const char* name;
        std::string file;
        std::function<int(QDialog*)> answer;
        QStringList messages;
        int dialogs;
    } cases[] = {
        {"file dialog cancelled", "", nullptr, {}, 0},
        {"wrong password", fx->p12Password, TypePassword("guess"), {T(kTextIdCertWrongPassword)}, 1},
        {"password cancelled", fx->p12Password, nullptr, {}, 1},
        {"not PKCS #12", fx->pem, nullptr, {T(kTextIdCertImportFailed)}, 0},
        {"folder", fx->dir, nullptr, {T(kTextIdCertImportFailed)}, 0},
    };
    for (const auto& c : cases) {
        t.prompts.messages.clear();
        t.prompts.dialogs.clear();
        t.prompts.openName = QString::fromStdString(c.file);
        t.prompts.onDialog = c.answer;
        t.Choose(row, 1, T(kTextIdCertImport));
        QVERIFY2(t.prompts.messages == c.messages, c.name);
        QVERIFY2(t.prompts.dialogs.size() == c.dialogs, c.name);
        QVERIFY2(t.doc.Get(u"eap_cert_cert", 0).empty() && !t.doc.IsModified(), c.name);
        QCOMPARE(t.page->GetItemText(row, 1), T(kTextIdCertEmpty));
    }
}

void WlanCertPagesTest::formatChoiceEmptiesSlot() {
    CertPage t;
    const unsigned slot = 3;
    t.prompts.openName = QString::fromStdString(fx->p12NoPassword);
    t.Choose(CListViewCert::CertRow(slot), 1, T(kTextIdCertImport));
    QVERIFY(t.prompts.dialogs.isEmpty());  // no password, no prompt
    QCOMPARE(t.page->GetItemText(CListViewCert::CertRow(slot), 1), T(kTextIdCertStored));

    t.Choose(CListViewCert::FormatRow(slot), 1, T(10263));
    QCOMPARE(t.doc.Get(u"eap_cert_format", slot), std::u16string(u"pem"));
    QVERIFY(t.doc.Get(u"eap_cert_cert", slot).empty());
    QCOMPARE(t.page->GetItemText(CListViewCert::CertRow(slot), 1), T(kTextIdCertEmpty));
    QCOMPARE(t.ComboItems(CListViewCert::CertRow(slot), 1), QStringList{T(kTextIdCertImport)});

    t.prompts.openName = QString::fromStdString(fx->twoPem);
    t.Choose(CListViewCert::CertRow(slot), 1, T(kTextIdCertImport));
    QCOMPARE(t.prompts.filters.last(), T(kTextIdCertPemFilter));
    QVERIFY(t.doc.Get(u"eap_cert_cert", slot).starts_with(u"-----BEGIN CERTIFICATE-----"));
    t.Type(CListViewCert::NameRow(slot), 1, "site B");
    QCOMPARE(t.doc.Get(u"eap_cert_name", slot), std::u16string(u"site B"));
}

// On every row of every profile, selecting a value row shows its help page, and the help file
// holds that page; sections and empty rows have none.
void WlanCertPagesTest::everyRowHasItsHelpPage() {
    ChmArchive chm;
    QVERIFY(chm.Open(BinDir() + "/talvero.chm"));
    const struct {
        uint32_t node;
        int rows;
        int withHelp;
    } pages[] = {{1037, CListViewWlan::kRows, 5 + 10 * 15}, {1038, CListViewCert::kRows, 12}};
    for (const auto& p : pages) {
        CTalveroDoc doc;
        doc.OnNewDocument();
        RegisteredPageUnderTest t({p.node, 0}, doc);
        int found = 0;
        for (int row = 0; row < p.rows; ++row) {
            // Selected as a program selects it: a click on a section or on a disabled row leaves
            // the nearest editable cell current, and so another row's help.
            t.grid->MoveToRow(row);
            const QString address = t.page->CurrentHelpAddress();
            if (address.isEmpty()) {
                continue;
            }
            QString file, page;
            QByteArray data;
            QVERIFY(SplitHelpAddress(address, file, page));
            QVERIFY2(chm.Read(page, data), qPrintable(page));
            QVERIFY2(!t.grid->GetItemText(row, 0).isEmpty(), qPrintable(QString::number(row)));
            ++found;
        }
        QCOMPARE(found, p.withHelp);
    }
}

// Every cell and every combo item is a real text, never a missing text's "ID_<n>".
void WlanCertPagesTest::fullyWorded() {
    WlanPage t([](CTalveroDoc& doc) {
        doc.Set(u"wlan_ch", u"custom");
        doc.Set(u"wlan_ssid", 0, u"a");
        doc.Set(u"wlan_sec", 0, u"wpa2");
        doc.Set(u"wlan_ssid", 1, u"b");
        doc.Set(u"wlan_sec", 1, u"wpa_wpa2psk");
        doc.Set(u"wlan_dhcp", 2, u"off");
    });
    QStringList shown;
    for (int row = 0; row < CListViewWlan::kRows; ++row) {
        shown << t.page->GetItemText(row, 0) << t.page->GetItemText(row, 1);
    }
    for (int row : {W::kScanRow, W::kPowerRow, W::kChannelRow, W::kRoamRow, W::Row(0, W::kDhcp),
                    W::Row(0, W::kSecurity), W::Row(0, W::kEncryption), W::Row(1, W::kEncryption),
                    W::Row(0, W::kEapType), W::Row(0, W::kEapCertIndex)}) {
        const QStringList items = t.ComboItems(row, 1);
        QVERIFY2(!items.isEmpty(), qPrintable(QString::number(row)));
        shown << items;
    }
    CertPage c;
    for (int row = 0; row < CListViewCert::kRows; ++row) {
        shown << c.page->GetItemText(row, 0) << c.page->GetItemText(row, 1);
    }
    shown << c.ComboItems(CListViewCert::FormatRow(0), 1) << c.ComboItems(CListViewCert::CertRow(0), 1);
    CDlgchSelect channels(u"");
    CDlgCertPassword password;
    shown << ShownTexts(&channels) << ShownTexts(&password);
    for (const QString& text : shown) {
        QVERIFY2(!text.contains("ID_"), qPrintable(text));
    }
}

// With the program's own pages the WLAN folder holds the WLAN page and the certificate page.
void WlanCertPagesTest::wlanFolderHoldsBothPages() {
    TestEnvironment env;
    FrameUnderTest t;
    QTreeWidgetItem* folder = t.frame->TreeItems().at(1002);
    QCOMPARE(folder->childCount(), 2);
    QCOMPARE(folder->child(0), t.frame->TreeItems().at(1037));
    QCOMPARE(folder->child(1), t.frame->TreeItems().at(1038));
    QVERIFY(qobject_cast<CListViewWlan*>(t.frame->PageViews().at(1037)));
    QVERIFY(qobject_cast<CListViewCert*>(t.frame->PageViews().at(1038)));
}

// Asked for a setting (as the differences window asks), a page selects the row of the member
// asked for: a profile's or a slot's own row, not the first profile's.
void WlanCertPagesTest::settingSelectsItsMembersRow() {
    WlanPage w;
    CertPage c;
    const struct {
        CListViewBase* page;
        std::u16string_view name;
        unsigned index;
        int row;  // -1: no row edits it
    } cases[] = {
        {w.page.get(), u"wlan_ssid", 5, W::Row(5, W::kSsid)},
        {w.page.get(), u"wlan_ssid", 0, W::Row(0, W::kSsid)},
        {w.page.get(), u"eap_cert_cert_idx", 9, W::Row(9, W::kEapCertIndex)},
        {w.page.get(), u"wlan_roam_rssi", 0, W::kRoamRow},
        {w.page.get(), u"wlan_ssid", 10, -1},
        {c.page.get(), u"eap_cert_name", 2, CListViewCert::NameRow(2)},
        {c.page.get(), u"eap_cert_format", 3, CListViewCert::FormatRow(3)},
    };
    for (const auto& k : cases) {
        const QString what = QString::fromStdU16String(std::u16string(k.name)) + QString::number(k.index);
        QVERIFY2(k.page->SelectSetting(k.name, k.index) == (k.row >= 0), qPrintable(what));
        if (k.row >= 0) {
            QVERIFY2(k.page->GetFocusedRow() == k.row, qPrintable(what));
        }
    }
}

namespace {
using Edit = PageEdit::Action;
const RoundTripEditRegistration wlanCertPageEdits({
    {.node = 1037, .row = W::kPowerRow, .textId = 4224, .keys = {u"wlan_power_01"}},
    {.node = 1037, .row = W::kRoamRow, .literal = "-60", .keys = {u"wlan_roam_rssi_01"}},
    {.node = 1037,
     .row = W::Row(1, W::kSsid),
     .action = Edit::kType,
     .literal = "depot",
     .keys = {u"wlan_ssid_02"}},
    {.node = 1038,
     .row = CListViewCert::NameRow(0),
     .action = Edit::kType,
     .literal = "corp",
     .keys = {u"eap_cert_name_01"}},
});
}  // namespace

static GuiTestRegistration<WlanCertPagesTest> registration;

#include "wlan_cert_pages_test.moc"
