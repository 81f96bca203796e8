// Draws the setting-mode permissions page and the radio information page with the English texts
// loaded and saves them as PNG files in the given folder (maintenance_screens.sh).
#include <QApplication>
#include <QDir>
#include <QTimer>

#include "document/talvero_doc.h"
#include "gui/pages/list_view_info.h"
#include "gui/pages/list_view_maintenance_set_mode.h"
#include "gui_support.h"

namespace {

template <class Page>
std::unique_ptr<Page> ShowPage(CTalveroDoc& doc, int setIndex, QSize size) {
    PageContext context;
    context.document = &doc;
    auto page = std::make_unique<Page>(nullptr, context);
    page->SetSetIndex(setIndex);
    page->SetupHeader();
    page->resize(size);
    page->RefreshFromDocument();
    page->show();
    return page;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    UseLanguage(true);
    const QDir out(argc > 1 ? argv[1] : ".");
    CTalveroDoc doc;
    doc.OnNewDocument();
    doc.Set(u"iccid", u"8981100022152446714");
    doc.Set(u"call_id", u"1234");
    auto permissions = ShowPage<CListViewMaintenanceSetMode>(doc, 0, {800, 700});
    auto info = ShowPage<CListViewInfo>(doc, -1, {720, 160});
    QTimer::singleShot(300, [&] {
        permissions->grab().save(out.filePath("set_mode_permissions.png"));
        // The last rows, with the reset item whose first flag cannot be changed.
        permissions->EnsureVisible(permissions->GetItemCount() - 1);
        QTimer::singleShot(100, [&] {
            permissions->grab().save(out.filePath("set_mode_permissions_end.png"));
            info->grab().save(out.filePath("radio_information.png"));
            app.quit();
        });
    });
    return app.exec();
}
