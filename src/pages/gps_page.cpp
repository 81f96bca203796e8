#include "pages/page_list.h"
#include "pages/page_rows.h"

PageDeclaration GpsPage() {
    return RowsPage(1017, 8500, {SectionRow(8501), OffOnRow(8520, u"gps_switch")});
}
