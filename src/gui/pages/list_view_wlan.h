#pragma once
// The WLAN page, a view over its declaration (pages/wlan_page.h): the unit settings and the ten
// connection profiles. The page itself adds only what needs a window or differs from a plain
// row: the custom channel list chosen in a dialog, the warning when a profile goes without a
// client certificate, and the roaming threshold shown as the negative level it is.
#include "gui/editor/list_view_base.h"
#include "pages/wlan_page.h"

class CListViewWlan : public CListViewBase {
    Q_OBJECT
  public:
    static constexpr int kRows = wlan_page::kRows;
    static constexpr int kScanRow = wlan_page::kScanRow, kPowerRow = wlan_page::kPowerRow,
                         kChannelRow = wlan_page::kChannelRow, kCustomRow = wlan_page::kCustomRow,
                         kRoamRow = wlan_page::kRoamRow;
    // Rows of a profile, counted from its first row.
    using ProfileRow = wlan_page::ProfileRow;
    using enum wlan_page::ProfileRow;
    // The grid row of a profile's row (profile 0–9).
    static constexpr int Row(unsigned profile, ProfileRow r) { return wlan_page::Row(profile, r); }

    CListViewWlan(QWidget* parent, const PageContext& context);
    void RefreshFromDocument() override;
    // Load notifications and new documents only: this page's own edits show at once.
    void OnDocumentUpdate(int hint) override;

  protected:
    QWidget* CreateCellEditor(int row, int column, int left, int top, int right, int bottom,
                              const QString& text) override;
    void OnEndCellEdit(KEndEditRecord& record) override;

  private:
    void CommitChannel(const QString& text);
    void CommitRoam(const QString& text);
    void ShowRoam();
    // Shows the custom channel list and stores it when confirmed; false when cancelled or refused.
    bool SelectChannels();
    // The setter; a refusal shows the general refusal text. True when stored.
    bool Store(std::u16string_view key, std::u16string_view value);
};
