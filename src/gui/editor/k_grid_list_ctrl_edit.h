#pragma once
// The grid's in-place text editor: a single-line field placed over a cell. The page that creates
// it sets its limits and character rules; it then runs on its own, ends on Enter, Tab, Escape,
// focus loss, a click outside or the wheel, reports its final text to the grid and deletes itself.
#include <QPointer>
#include <memory>

#include "gui/editor/k_grid_list_view.h"
#include "gui/editor/k_limited_edit.h"

class QProxyStyle;

class KGridListCtrlEdit : public KLimitedEdit {
    Q_OBJECT
  public:
    // passwordChar 0 shows the text; any other character is shown in place of every character.
    KGridListCtrlEdit(KGridListView* owner, int row, int column, int left, int top, int right, int bottom,
                      const QString& text, char16_t passwordChar = 0);
    ~KGridListCtrlEdit() override;

    // Ends the edit as focus loss does; the text stays as it is.
    void EndEdit();

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    QPointer<KGridListView> m_owner;
    QString m_initialText;
    KGridListView::KEndEditRecord m_endEditRecord;
    int m_closing = 0;
    std::unique_ptr<QProxyStyle> m_passwordStyle;
};
