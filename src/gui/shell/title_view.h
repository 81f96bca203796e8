#pragma once
// The title page shown for the root node: product, version, description and legal notice from
// the version block. It is also the frame's listener for document updates, as every update of
// the document reaches it.
#include <QFont>
#include <QWidget>
#include <array>

#include "document/talvero_doc.h"

class CMainFrame;
struct VersionBlock;

class CTitleView : public QWidget, public IDocumentObserver {
    Q_OBJECT
  public:
    // `block` null reads the program's own version block.
    CTitleView(CMainFrame* frame, QWidget* parent, const VersionBlock* block = nullptr);
    ~CTitleView() override;

    void AttachDocument(CTalveroDoc* document);
    void OnDocumentUpdate(int hint, const std::vector<std::u16string>* warnings) override;

    const QString& ProductText() const { return m_productText; }
    const QString& VersionText() const { return m_versionText; }
    const QString& DescriptionText() const { return m_descriptionText; }
    const QString& LegalText() const { return m_legalText; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    CMainFrame* m_frame;
    CTalveroDoc* m_document = nullptr;
    std::array<QFont, 4> m_titleFonts;
    QString m_productText;
    QString m_versionText;
    QString m_descriptionText;
    QString m_legalText;
};
