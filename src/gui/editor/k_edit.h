#pragma once
// A dialog text field with the settings fields' limits (KLimitedEdit): the password prompts use
// it. Enter belongs to the dialog; files dropped on the field replace its text with their path.
#include "gui/editor/k_limited_edit.h"

class KEdit : public KLimitedEdit {
    Q_OBJECT
  public:
    explicit KEdit(QWidget* parent = nullptr) : KLimitedEdit(parent) {}

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};
