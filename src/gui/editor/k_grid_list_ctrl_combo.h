#pragma once
// The grid's in-place choice editor: a drop-down list over a cell, open as long as its list is.
// Choosing, dismissing, Enter, Tab, Escape or focus loss end it; it reports the chosen item's
// text to the grid and deletes itself. Escape, and closing without any item chosen (a cell whose
// value the list does not offer), report no change.
#include <QComboBox>
#include <QPointer>
#include <QStringList>

#include "gui/editor/k_grid_list_view.h"

class KGridListCtrlCombo : public QComboBox {
    Q_OBJECT
  public:
    KGridListCtrlCombo(KGridListView* owner, int row, int column, int left, int top, int right, int bottom,
                       const QStringList& items, const QString& text);
    ~KGridListCtrlCombo() override;

    // Width of the open list: the widest item plus 20 pixels, never past the grid's right edge.
    int GetDroppedWidth() const { return m_droppedWidth; }

    void hidePopup() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void PostClose();
    void Close();

    QPointer<KGridListView> m_owner;
    QString m_initialText;
    KGridListView::KEndEditRecord m_endEditRecord;
    int m_closing = 0;
    // Escape: the edit ends with nothing to report, whatever the list showed.
    bool m_cancelled = false;
    int m_droppedWidth = 0;
};
