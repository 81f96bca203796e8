// Draws the ID list page with a few entries, English texts loaded, and saves it as a PNG:
//   xvfb-run -a -s "-screen 0 1280x1024x24" id_list_screen OUT.png
#include <QApplication>
#include <QTimer>

#include "document/talvero_doc.h"
#include "gui/pages/list_view_address_book_list.h"
#include "gui_support.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    UseLanguage(true);
    CTalveroDoc doc;
    doc.OnNewDocument();
    struct Entry {
        const char16_t* type;
        const char16_t* id;
        const char16_t* name;
        const char16_t* yomi;
    };
    const Entry entries[] = {{u"indi", u"101", u"Dispatch desk", u"ﾃﾞｨｽﾊﾟｯﾁ"},
                             {u"group", u"2000", u"All drivers", u""},
                             {u"user_group", u"3100", u"North depot", u"ﾉｰｽ"},
                             {u"tel", u"1", u"Night office", u""},
                             {u"indi", u"7", u"山田 太郎", u"ﾔﾏﾀﾞ ﾀﾛｳ"}};
    unsigned index = 0;
    for (const Entry& e : entries) {
        doc.Set(u"id_type", index, e.type);
        doc.Set(u"id", index, e.id);
        doc.Set(u"number", index, u"0312345678#");
        doc.Set(u"name", index, e.name);
        doc.Set(u"yomi", index, e.yomi);
        ++index;
    }
    doc.Set(u"id_select", 2, u"off");
    PageContext context;
    context.document = &doc;
    CListViewAddressBookList page(nullptr, context);
    page.SetSetIndex(0);
    page.SetupHeader();
    page.resize(1320, 300);
    page.RefreshFromDocument();
    page.show();
    QTimer::singleShot(300, [&] {
        page.grab().save(argc > 1 ? argv[1] : "/tmp/id_list.png");
        app.quit();
    });
    return app.exec();
}
