#pragma once
// The radio's model and versions, as the information command shows them: a title band, then one
// row per value with its label in the label column and a rule under it.
#include <QDialog>
#include <QFont>
#include <QString>
#include <array>

class CDlgFirmVer : public QDialog {
    Q_OBJECT
  public:
    explicit CDlgFirmVer(QWidget* parent = nullptr);

    QWidget* Panel() const { return m_panel; }
    // Draws the panel's contents into `rect` (used by the panel and by tests).
    void DrawPanel(QPainter& painter, const QRect& rect) const;

    QFont m_titleFont;
    QFont m_textFont;
    std::array<QString, 3> m_labels;
    std::array<QString, 3> m_values;  // model, firmware version, Bluetooth version

  private:
    QWidget* m_panel;
};
