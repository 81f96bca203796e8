#pragma once
// The certificate page, a view over its declaration (pages/cert_page.h): the four client
// certificate slots. The page itself adds the slots' numbers and the certificate row's actions,
// which need windows: importing from a file (asking for the file's password when it has one) and
// deleting the stored certificate.
#include "gui/editor/list_view_base.h"
#include "pages/cert_page.h"

class CListViewCert : public CListViewBase {
    Q_OBJECT
  public:
    static constexpr int kRows = cert_page::kRowsPerSlot * 4;
    // Rows of slot s (0-based): section 4s, format 4s+1, name 4s+2, certificate 4s+3.
    static constexpr int FormatRow(unsigned slot) { return cert_page::FormatRow(slot); }
    static constexpr int NameRow(unsigned slot) { return cert_page::NameRow(slot); }
    static constexpr int CertRow(unsigned slot) { return cert_page::CertRow(slot); }

    CListViewCert(QWidget* parent, const PageContext& context);
    // Load notifications and new documents only: this page's own edits show at once.
    void OnDocumentUpdate(int hint) override;

  protected:
    void OnEndCellEdit(KEndEditRecord& record) override;

  private:
    void CertificateAction(unsigned slot, const QString& choice);
};
