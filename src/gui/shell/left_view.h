#pragma once
// The navigation tree on the left of the main window. Each item carries its node ID; a changed
// selection is passed to the main frame, which swaps the page shown on the right.
#include <QIcon>
#include <QList>
#include <QTreeWidget>
#include <cstdint>
#include <optional>

class CLeftView : public QTreeWidget {
    Q_OBJECT
  public:
    explicit CLeftView(QWidget* parent = nullptr);

    // The node ID an item carries.
    static uint32_t NodeId(const QTreeWidgetItem* item);
    static void SetNodeId(QTreeWidgetItem* item, uint32_t nodeId);

    // The tree's image list: 0 root, 1 folder, 3 page (the others are spare).
    QIcon Image(int index) const;

  signals:
    // Old and new node of a selection change; the old one is empty before the first selection.
    void SelectionChanged(std::optional<uint32_t> oldNode, std::optional<uint32_t> newNode);

  private:
    QList<QIcon> m_images;
};
