#pragma once
// The page shown for a folder node: a settings page without settings, and so without help.
#include <QWidget>

#include "gui/shell/page_registry.h"

class CListViewFolder : public QWidget, public ISettingsPage {
    Q_OBJECT
  public:
    CListViewFolder(QWidget* parent, const PageContext& context);

    QWidget* PageWidget() override { return this; }
    void SetSetIndex(int setIndex) override { m_setIndex = setIndex; }
    void SetupHeader() override {}
    void RefreshFromDocument() override {}
    QString CurrentHelpAddress() const override { return {}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int m_setIndex = -1;
};
