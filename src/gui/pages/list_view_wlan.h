#pragma once
// The WLAN unit settings and the ten connection profiles (addresses, network and security,
// 802.1X), 197 rows. Rows that do not apply to a profile's current choices are blank and locked:
// the addresses while DHCP is on, everything past the SSID while it is empty, the pre-shared key
// unless the security uses one, the 802.1X rows unless the security is an 802.1X one. Keys and
// passwords show one "*" per character. The security setters adjust encryption and keys in the
// document, so a commit re-reads the rows it may have changed.
#include "gui/editor/list_view_base.h"

class CListViewWlan : public CListViewBase {
    Q_OBJECT
  public:
    static constexpr int kRows = 197;
    static constexpr int kScanRow = 1, kPowerRow = 2, kChannelRow = 3, kCustomRow = 4, kRoamRow = 5;
    // Rows of a profile, counted from its first row.
    enum ProfileRow {
        kAddressSection = 0,
        kDhcp,
        kIpAddr,
        kSubnet,
        kGateway,
        kDns1,
        kDns2,
        kNetworkSection,
        kSsid,
        kSecurity,
        kEncryption,
        kPsk,
        kEapSection,
        kEapType,
        kEapIdentity,
        kEapPassword,
        kEapOuterIdentity,
        kEapCertIndex,
        kProfileRows = 19,
    };
    // The grid row of a profile's row (profile 0–9).
    static constexpr int Row(unsigned profile, ProfileRow r) {
        return 7 + 19 * static_cast<int>(profile) + r;
    }

    CListViewWlan(QWidget* parent, const PageContext& context);
    void RefreshFromDocument() override;
    // Load notifications and new documents only: this page's own edits show at once.
    void OnDocumentUpdate(int hint) override;

  protected:
    QWidget* CreateCellEditor(int row, int column, int left, int top, int right, int bottom,
                              const QString& text) override;
    void OnEndCellEdit(KEndEditRecord& record) override;

  private:
    void CommitUnitRow(int row, const QString& text);
    void CommitProfileRow(unsigned profile, int offset, const QString& text);
    // Shows the custom channel list and stores it when confirmed; false when cancelled or refused.
    bool SelectChannels();
    // The setter; a refusal shows `refusal` (0: the general refusal text). True when stored.
    bool Store(std::u16string_view key, unsigned index, std::u16string_view value, uint32_t refusal = 0);
    // The value of a listed item's text; false when the text is no item (none was chosen).
    bool ChoiceValue(const QString& text, std::u16string& value) const;

    void ChannelRule();
    void AddressRule(unsigned profile);
    void SsidRule(unsigned profile);
    void SecurityRule(unsigned profile);
    void Dot1xRule(unsigned profile);
    void ShowChoice(int row, bool enabled, std::u16string_view value);
    QString CertChoiceText(const std::u16string& index) const;
};
