#pragma once
// The about box: product, version and legal notice from the version block.
#include <QDialog>

class QLabel;
class QPushButton;
struct VersionBlock;

class CDlgAbout : public QDialog {
    Q_OBJECT
  public:
    // `block` null reads the program's own version block.
    explicit CDlgAbout(QWidget* parent = nullptr, const VersionBlock* block = nullptr);

    QLabel* ProductLabel() const { return m_product; }
    QLabel* VersionLabel() const { return m_version; }
    QLabel* LegalLabel() const { return m_legal; }
    QPushButton* OkButton() const { return m_ok; }

  private:
    QLabel* m_product;
    QLabel* m_version;
    QLabel* m_legal;
    QPushButton* m_ok;
};
