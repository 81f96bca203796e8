#pragma once
// The channels of a custom WLAN channel list: one check box per channel 1–13. The list is the
// checked channel numbers in increasing order, joined by "," without blanks («1,6,11»); OK with
// no channel checked is refused with a message and the dialog stays open.
#include <QDialog>
#include <array>
#include <string>

class QCheckBox;

class CDlgchSelect : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kChannels = 13;

    // Parts of `channels` whose leading number is not a channel are ignored.
    explicit CDlgchSelect(const std::u16string& channels, QWidget* parent = nullptr);

    QCheckBox* ChannelBox(int channel) const { return m_boxes.at(channel - 1); }
    std::u16string m_channels;

  public slots:
    void accept() override;

  private:
    std::array<QCheckBox*, kChannels> m_boxes{};
};
