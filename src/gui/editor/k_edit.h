#pragma once
// A dialog text field with the settings fields' filtering: the password prompts use it.
// Typed characters obey the length limit; pastes are cut to fit and refused when ASCII only is
// set and the text is not ASCII; every change drops characters outside the allowed set; dropped
// files replace the text with their paths.
#include <QLineEdit>

class KEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit KEdit(QWidget* parent = nullptr);

    // Lifts Qt's own length limit so that only the limits below apply.
    void LiftLengthLimit() { setMaxLength(32767); }
    // No input method composition can start in the field.
    void DetachInputMethod();
    void FilterAllowedChars();
    void Paste();

    int m_asciiOnly = 0;
    int m_maxChars = 0;
    int m_maxAnsiBytes = 0;
    int m_maxUtf8Bytes = 0;
    int m_maxWidth = 0;
    QString m_allowedChars;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void TypeChar(QChar ch);
};
