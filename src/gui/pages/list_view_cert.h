#pragma once
// The four client certificate slots: each with its format, its name and its certificate, which is
// imported from a file or deleted through the certificate row's choices. A new format empties the
// slot, since a certificate of the other format is no use to the radio.
#include "gui/editor/list_view_base.h"

class CListViewCert : public CListViewBase {
    Q_OBJECT
  public:
    static constexpr int kRows = 16;
    // Rows of slot s (0-based): section 4s, format 4s+1, name 4s+2, certificate 4s+3.
    static constexpr int FormatRow(unsigned slot) { return 4 * static_cast<int>(slot) + 1; }
    static constexpr int NameRow(unsigned slot) { return 4 * static_cast<int>(slot) + 2; }
    static constexpr int CertRow(unsigned slot) { return 4 * static_cast<int>(slot) + 3; }

    CListViewCert(QWidget* parent, const PageContext& context);
    void RefreshFromDocument() override;
    // Load notifications and new documents only: this page's own edits show at once.
    void OnDocumentUpdate(int hint) override;

  protected:
    QWidget* CreateCellEditor(int row, int column, int left, int top, int right, int bottom,
                              const QString& text) override;
    void OnEndCellEdit(KEndEditRecord& record) override;

  private:
    void ShowSlot(unsigned slot);
    void CertificateAction(unsigned slot, const QString& choice);
};
