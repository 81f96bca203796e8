#pragma once
// The navigation tree on the left of the main window. Each item carries its node ID; a changed
// selection is passed to the main frame, which swaps the page shown on the right. A caption the
// tree is too narrow for has a tip with the whole caption.
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

    // The width that shows every caption whole, of collapsed folders too: frame, indentation, icon,
    // text and the vertical scroll bar.
    int CaptionsWidth() const;
    // Whether the tree shows less of the item's caption than it needs.
    bool IsCaptionCut(const QModelIndex& index) const;

  signals:
    // Old and new node of a selection change; the old one is empty before the first selection.
    void SelectionChanged(std::optional<uint32_t> oldNode, std::optional<uint32_t> newNode);

  protected:
    // A caption that is cut shows in full as the item's tip.
    bool viewportEvent(QEvent* event) override;

  private:
    int NeededWidth(const QModelIndex& index) const;

    QList<QIcon> m_images;
};
