#include "document/talvero_doc.h"
#include "pages/page_list.h"
#include "pages/page_rows.h"

namespace {
bool BluetoothOn(const CTalveroDoc& doc) {
    return doc.Get(u"bluetooth") == u"on";
}
}  // namespace

PageDeclaration BluetoothPage() {
    return RowsPage(
        1018, 8550,
        {SectionRow(8551), OffOnRow(8552, u"bluetooth"), When(OffOnRow(8554, u"bt_autocon"), BluetoothOn),
         When(KeyChoiceRow(8555, u"bt_sco_link", {{u"always", 8556}, {u"auto", 8557}}), BluetoothOn),
         When(KeyChoiceRow(8559, u"ptt_mic_sw", {{u"auto", 8560}, {u"radio", 8561}, {u"bt", 8562}}),
              BluetoothOn),
         SectionRow(8570),
         When(ValueChoiceRow(8572, u"bt_af_gain_offset", {}, NumberChoices(0, 22)), BluetoothOn),
         SectionRow(8581), When(OffOnRow(8586, u"bt_vol_link"), BluetoothOn),
         When(ValueChoiceRow(8594, u"bt_mic_gain", {}, NumberChoices(0, 20)), BluetoothOn),
         When(OffOnRow(8582, u"bt_ec"), BluetoothOn), When(OffOnRow(8585, u"bt_nc"), BluetoothOn),
         SectionRow(8589), When(OffOnRow(8590, u"bt_hs_saving"), BluetoothOn),
         When(OffOnRow(8591, u"bt_hs_ot_ptt"), BluetoothOn),
         When(OffOnRow(8593, u"disp_bt_ot_ptt"), BluetoothOn),
         When(OffOnRow(8592, u"bt_hs_ptt_beep"), BluetoothOn)});
}
