// Draws one registered settings page with the English texts and saves it as a PNG:
//   xvfb-run -a -s "-screen 0 1366x768x24" page_screen NODE OUT.png [setting=value ...]
// The settings are set in the document first (unit settings only), e.g. ear_sidetone=on.
#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "document/talvero_doc.h"
#include "gui/shell/page_registry.h"
#include "gui_support.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: page_screen NODE OUT.png [setting=value ...]\n");
        return 2;
    }
    const uint32_t node = QString::fromLocal8Bit(argv[1]).toUInt();
    const PageFactory* factory = FindPageFactory(node);
    if (!factory) {
        std::fprintf(stderr, "no page for node %s\n", argv[1]);
        return 2;
    }
    UseLanguage(true);
    CTalveroDoc doc;
    doc.OnNewDocument();
    for (int i = 3; i < argc; ++i) {
        const QString assignment = QString::fromLocal8Bit(argv[i]);
        const QString name = assignment.section('=', 0, 0);
        if (!FindSettingDef(name.toStdU16String()) ||
            !doc.Set(name.toStdU16String(), assignment.section('=', 1).toStdU16String())) {
            std::fprintf(stderr, "refused: %s\n", argv[i]);
            return 2;
        }
    }
    PageContext context;
    context.document = &doc;
    std::unique_ptr<ISettingsPage> page((*factory)(nullptr, context));
    QWidget* widget = page->PageWidget();
    page->SetSetIndex(0);
    page->SetupHeader();
    widget->resize(760, 480);
    page->RefreshFromDocument();
    widget->show();
    QTimer::singleShot(300, [&] {
        widget->grab().save(QString::fromLocal8Bit(argv[2]));
        app.quit();
    });
    return app.exec();
}
