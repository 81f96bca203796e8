#pragma once
// A single-line field that holds its text to its EditLimits: typed and composed characters
// outside the allowed set are dropped and obey the length limit one by one (a fast key repeat
// too); Ctrl+V, the context menu's Paste and the middle-click selection paste all go through
// the limited paste, which drops characters outside the allowed set. Only what is typed, composed
// or pasted is checked: the text the field was given stays exactly as given, so a field opened on
// a stored value and closed without typing reports that value unchanged. A read-only field takes
// no typed, composed or pasted text at all (selection and copy still work).
// The grid's cell editor and the dialogs' KEdit both derive from it.
#include <QLineEdit>

#include "gui/editor/edit_limits.h"

class KLimitedEdit : public QLineEdit, public EditLimits {
    Q_OBJECT
  public:
    explicit KLimitedEdit(QWidget* parent = nullptr);

    void SetLimits(const EditLimits& limits) { static_cast<EditLimits&>(*this) = limits; }
    // Lifts Qt's own length limit so that only the limits above apply.
    void LiftLengthLimit();
    // Identifier, number and password fields: no input method composition can start here.
    void DetachInputMethod();
    // Drops every character outside m_allowedChars, keeping the selection on the characters
    // that stay. A dialog field whose initial text must obey runs it once; a cell editor never
    // does, as it opens on the stored value.
    void FilterAllowedChars();
    // Clipboard text: refused when ASCII only is set and it holds anything above 127; then the
    // characters outside the allowed set are dropped, the rest cut from its end under a length
    // limit until it fits, and inserted undoably.
    void Paste();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

  private:
    void TypeChar(QChar ch);
};
