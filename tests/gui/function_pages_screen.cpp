// Draws the emergency page (emergency call on, repeat calls off, so that rows of other groups
// are grey) and the option key page, English texts loaded, and saves them as PNG files:
//   xvfb-run -a -s "-screen 0 1366x768x24" function_pages_screen OUT_FOLDER
#include <QApplication>
#include <QDir>
#include <QTimer>

#include "document/talvero_doc.h"
#include "gui/pages/list_view_function_emergency.h"
#include "gui/pages/list_view_option_key.h"
#include "gui_support.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    UseLanguage(true);
    const QDir out(argc > 1 ? argv[1] : "/tmp");
    CTalveroDoc doc;
    doc.OnNewDocument();
    doc.Set(u"emer_enabled", u"on");
    doc.Set(u"emer_id_type", u"indi");
    doc.Set(u"emer_id", u"101");
    doc.Set(u"emer_text", u"救助要請 HELP");
    doc.Set(u"emer_mand_enabled", u"on");
    doc.Set(u"opt_key", u"onetouch");
    doc.Set(u"opt_key_onetouch_id_type", u"tel");
    doc.Set(u"opt_key_onetouch_number", u"0312345678#");
    doc.Set(u"opt_emer", u"rx_mute");
    PageContext context;
    context.document = &doc;
    CListViewFunctionEmergency emergency(nullptr, context);
    CListViewOptionKey optionKey(nullptr, context);
    const std::pair<CListViewBase*, int> pages[] = {{&emergency, 63}, {&optionKey, 14}};
    for (auto [page, rows] : pages) {
        page->SetSetIndex(0);
        page->SetupHeader();
        page->resize(760, (rows + 2) * page->GetRowHeight());
        page->RefreshFromDocument();
        page->show();
    }
    QTimer::singleShot(300, [&] {
        emergency.grab().save(out.filePath("emergency_page.png"));
        optionKey.grab().save(out.filePath("option_key_page.png"));
        app.quit();
    });
    return app.exec();
}
