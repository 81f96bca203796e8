#pragma once
// The serial port list of the More command: the ports present now, by the names the user knows
// them by, in natural order. The list is read again every time it drops down, so an adapter
// plugged in while the window is open shows up. "Unplug and plug in the cable…" watches the list
// and selects the port that appears, for a technician who does not know which port is the radio's.
#include <QComboBox>
#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "platform/posix/port_enum.h"

class CComListBox : public QComboBox {
    Q_OBJECT
  public:
    using QComboBox::QComboBox;
    void showPopup() override;
  signals:
    void aboutToDrop();
};

class QLabel;
class QPushButton;
class QTimer;

class CDlgComList : public QDialog {
    Q_OBJECT
  public:
    explicit CDlgComList(QWidget* parent = nullptr);

    // The first fill, selecting m_selectedPort; call before the dialog runs.
    void Initialise() { Refresh(false); }
    // Enumerates the ports again and keeps the selection where it can.
    void Refresh(bool fromDropDown);
    QComboBox* List() const { return m_list; }
    QPushButton* WatchButton() const { return m_watchButton; }
    QLabel* WatchStatus() const { return m_watchStatus; }
    bool Watching() const { return m_watcher != nullptr; }
    // How often the port list is looked at while watching.
    int m_watchIntervalMs = 250;

    std::vector<ComInfo> m_ports;
    std::string m_selectedPort;

  public slots:
    void accept() override;
    void reject() override;

  private:
    void ToggleWatch();
    void StopWatch();
    void PollPorts();
    void Fill(const std::string& wanted, int fallback);

    CComListBox* m_list;
    QPushButton* m_watchButton;
    QLabel* m_watchStatus;
    QTimer* m_watchTimer;
    std::unique_ptr<PortWatcher> m_watcher;  // set while watching
};
