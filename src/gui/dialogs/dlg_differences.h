#pragma once
// The differences between two configurations, in a window of its own: grouped by page in the
// order of the tree, each row the setting's label, its key and both values (passwords, keys and
// certificates masked). A double click on a setting shows its page and row in the main window.
#include <QDialog>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "document/settings_compare.h"

class QTreeWidget;
class QTreeWidgetItem;

class CTalveroDoc;

class CDlgDifferences : public QDialog {
    Q_OBJECT
  public:
    // Shows the page `nodeId` with the row of the setting `key` selected.
    using ShowSetting = std::function<void(uint32_t nodeId, const std::u16string& key)>;

    // `firstTitle`, `secondTitle`: the headings of the two value columns; each column's values
    // read as the pages show them in its configuration (`first`, `second`).
    CDlgDifferences(const std::vector<SettingDifference>& differences, const CTalveroDoc& first,
                    const CTalveroDoc& second, const QString& firstTitle, const QString& secondTitle,
                    ShowSetting showSetting, QWidget* parent = nullptr);

    QTreeWidget* Tree() const { return m_tree; }

  private:
    void OnItemActivated(QTreeWidgetItem* item);

    QTreeWidget* m_tree;
    ShowSetting m_showSetting;
};

// The text a value is shown with: as its page shows it in `doc`, the stored value after it, a
// secret masked.
QString ShownSettingValue(const CTalveroDoc& doc, const std::u16string& key, const std::u16string& value);
