// Draws the WLAN page (three profiles in use: 802.1X, pre-shared key, open) and the certificate
// page with one slot filled, English texts loaded, and saves them as PNG files:
//   xvfb-run -a -s "-screen 0 1366x768x24" wlan_cert_screens OUT_DIR
#include <QApplication>
#include <QTimer>

#include "../certs/cert_fixtures.h"
#include "certs/cert_slot.h"
#include "document/talvero_doc.h"
#include "gui/pages/list_view_cert.h"
#include "gui/pages/list_view_wlan.h"
#include "gui_support.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    UseLanguage(true);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp");
    CTalveroDoc doc;
    doc.OnNewDocument();
    doc.Set(u"wlan_ch", u"custom");
    doc.Set(u"wlan_ch_custom", u"1,6,11");
    doc.Set(u"wlan_ssid", 0, u"corp-secure");
    doc.Set(u"wlan_sec", 0, u"wpa2");
    doc.Set(u"eap_identity", 0, u"radio042");
    doc.Set(u"eap_passwd", 0, u"secret");
    doc.Set(u"eap_outer_identity", 0, u"anonymous");
    doc.Set(u"wlan_dhcp", 1, u"off");
    doc.Set(u"wlan_ipaddr", 1, u"192.168.10.42");
    doc.Set(u"wlan_subnet", 1, u"255.255.255.0");
    doc.Set(u"wlan_ssid", 1, u"depot");
    doc.Set(u"wlan_sec", 1, u"wpa2psk");
    doc.Set(u"wlan_psk", 1, u"depot-passphrase");
    doc.Set(u"eap_cert_name", 0, u"corp-client");
    const CertFixtures fx;
    ImportCertificateIntoSlot(doc, 0, fx.p12NoPassword, nullptr);

    PageContext context;
    context.document = &doc;
    CListViewWlan wlan(nullptr, context);
    CListViewCert cert(nullptr, context);
    for (CListViewBase* page : {static_cast<CListViewBase*>(&wlan), static_cast<CListViewBase*>(&cert)}) {
        page->SetSetIndex(0);
        page->SetupHeader();
        page->resize(760, 740);
        page->RefreshFromDocument();
        page->show();
    }
    QTimer::singleShot(300, [&] {
        wlan.grab().save(out + "/wlan_page.png");
        cert.grab().save(out + "/cert_page.png");
        app.quit();
    });
    return app.exec();
}
