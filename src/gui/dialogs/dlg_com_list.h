#pragma once
// The serial port list of the More command: the ports present now, by the names the user knows
// them by, in natural order. The list is read again every time it drops down, so an adapter
// plugged in while the window is open shows up.
#include <QComboBox>
#include <QDialog>
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

class CDlgComList : public QDialog {
    Q_OBJECT
  public:
    explicit CDlgComList(QWidget* parent = nullptr);

    // The first fill, selecting m_selectedPort; call before the dialog runs.
    void Initialise() { Refresh(false); }
    // Enumerates the ports again and keeps the selection where it can.
    void Refresh(bool fromDropDown);
    QComboBox* List() const { return m_list; }

    std::vector<ComInfo> m_ports;
    std::string m_selectedPort;

  public slots:
    void accept() override;

  private:
    CComListBox* m_list;
};
