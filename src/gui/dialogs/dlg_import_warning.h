#pragma once
// The list of entries a load or an import had to adjust (names cut to the display width), with
// a button that saves the list as a text file.
#include <QDialog>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;

class CDlgImportWarning : public QDialog {
    Q_OBJECT
  public:
    // `messages` belongs to whoever sent the update and must outlive the dialog.
    // `labelTextId`: the text above the list (0: texts were shortened).
    explicit CDlgImportWarning(const std::vector<std::u16string>* messages, QWidget* parent = nullptr,
                               uint32_t labelTextId = 0);

    QTreeWidget* List() const { return m_list; }
    QLabel* Label() const { return m_label; }
    QPushButton* SaveListButton() const { return m_saveList; }
    QPushButton* CloseButton() const { return m_close; }

    // The file content: every line in the ANSI code page, each followed by CR LF, no mark.
    std::string ListFileContent() const;
    void OnSaveList();

  private:
    const std::vector<std::u16string>* m_messages;
    QLabel* m_label;
    QTreeWidget* m_list;
    QPushButton* m_saveList;
    QPushButton* m_close;
};
