#pragma once

#include <QIcon>
#include <QTreeWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#include "ui/controls/drag_image.h"

namespace tw {

// The node tree: a tree view whose branches are moved by dragging one item onto another,
// with a drag image and a drop highlight. It knows nothing of nodes: each item carries an
// integer item value, and the owner's callbacks veto drags and drops and do the model side.
class EnhancedTreeCtrl : public QTreeWidget {
    Q_OBJECT

public:
    using ItemTest = std::function<bool(QTreeWidgetItem* item, EnhancedTreeCtrl& tree)>;
    using DropHandler = std::function<void(QTreeWidgetItem* dragged, QTreeWidgetItem* target,
                                           EnhancedTreeCtrl& tree)>;

    static constexpr int kItemValueRole = Qt::UserRole + 1;
    static constexpr int kImageRole = Qt::UserRole + 2;
    static constexpr int kSelectedImageRole = Qt::UserRole + 3;
    static constexpr QPoint kDragHotSpot{15, 15};

    explicit EnhancedTreeCtrl(QWidget* parent = nullptr);
    ~EnhancedTreeCtrl() override;

    void SetCanDrag(ItemTest test) { canDrag_ = std::move(test); }
    void SetCanDrop(ItemTest test) { canDrop_ = std::move(test); }
    void SetDropHandler(DropHandler handler) { onDrop_ = std::move(handler); }
    void SetImageList(std::vector<QIcon> images) { images_ = std::move(images); }

    // Inserts an item under parent (top level when none) after the given sibling (last when
    // none).
    QTreeWidgetItem* InsertItem(const QString& text, int image, int selectedImage, int value,
                                QTreeWidgetItem* parent = nullptr,
                                QTreeWidgetItem* after = nullptr);
    static int ItemValue(const QTreeWidgetItem* item);
    // A value changed on an item in a tree is changed in that tree's index too.
    static void SetItemValue(QTreeWidgetItem* item, int value);
    // The item in the tree carrying the value, or none: a look-up in an index kept as items
    // are added, removed and moved, not a walk. When several carry it, the latest added.
    QTreeWidgetItem* FindItem(int value) const;
    // A new item, in no tree yet: children can be added to it before it goes in whole.
    QTreeWidgetItem* MakeItem(const QString& text, int image, int selectedImage, int value);
    // Puts an item with its subtree under parent (top level when none) at the index.
    void InsertItemAt(QTreeWidgetItem* item, QTreeWidgetItem* parent, int index);
    // Expands the items with one layout of the view afterwards, rather than one layout per
    // item.
    void ExpandItems(const std::vector<QTreeWidgetItem*>& items);
    // Reorders children without taking any item out, so expanded state, selection and the
    // index stay: each item made here gets a rank, and the children of parent (every item
    // of the tree when parent is none) are put in the order of their ranks.
    static void SetItemRank(QTreeWidgetItem* item, int rank);
    void SortChildrenByRank(QTreeWidgetItem* parent);
    void SetItemImage(QTreeWidgetItem* item, int image, int selectedImage);

    // A new item with the old one's text, images, value and check state; OnItemCopied follows.
    QTreeWidgetItem* CopyItem(QTreeWidgetItem* item, QTreeWidgetItem* newParent,
                              QTreeWidgetItem* after);
    // CopyItem of the item and its whole subtree; the old items stay.
    QTreeWidgetItem* CopyBranch(QTreeWidgetItem* item, QTreeWidgetItem* newParent,
                                QTreeWidgetItem* after);
    // Moves the branch to the end of the top level; returns its new item.
    QTreeWidgetItem* MakeRoot(QTreeWidgetItem* item);
    void ExpandAll(bool expand);
    // The same a slice of items at a time, telling progress(done, total) after each slice;
    // the view lays out once, when the loop next turns, whatever the number of items.
    void ExpandAll(bool expand, const std::function<void(int done, int total)>& progress);

    virtual void OnItemCopied(QTreeWidgetItem* oldItem, QTreeWidgetItem* newItem);
    virtual QTreeWidgetItem* GetDropTarget(QTreeWidgetItem* item);
    virtual bool CanDrag(QTreeWidgetItem* item);

    // The steps of a drag, as the mouse drives them (positions in viewport coordinates).
    bool BeginDrag(QTreeWidgetItem* item, QPoint pos);
    void DragMove(QPoint pos);
    void EndDrag();

    bool IsDragging() const { return dragging_; }
    QTreeWidgetItem* DraggedItem() const { return draggedItem_; }
    QTreeWidgetItem* DropTarget() const { return dropTarget_; }
    QTreeWidgetItem* DropHighlight() const { return dropHighlight_; }
    const DragImage* CurrentDragImage() const { return dragImage_.get(); }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    // The context menu from the keyboard (the Menu key, Shift+F10, a screen reader's "show
    // menu"): requested at the current item, as a right click on it would.
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    static QTreeWidgetItem* NewItem();
    static bool IsAncestor(const QTreeWidgetItem* ancestor, const QTreeWidgetItem* item);
    void InsertAt(QTreeWidgetItem* item, QTreeWidgetItem* parent, QTreeWidgetItem* after);
    void SetDropHighlight(QTreeWidgetItem* item);
    bool IsValidDrop() const;
    void setupItemIndex();
    void IndexSubtrees(const QModelIndex& parent, int first, int last, bool add);
    void RequestKeyboardMenu();

    ItemTest canDrag_;
    ItemTest canDrop_;
    DropHandler onDrop_;
    std::vector<QIcon> images_;
    QPoint pressPos_;
    QTreeWidgetItem* pressItem_ = nullptr;
    bool dragRefused_ = false;
    int dragValue_ = 0;
    std::unique_ptr<DragImage> dragImage_;
    bool dragging_ = false;
    QTreeWidgetItem* draggedItem_ = nullptr;
    QTreeWidgetItem* dropTarget_ = nullptr;
    QTreeWidgetItem* dropHighlight_ = nullptr;
    // Node look-ups by value, kept in step by the model's signals.
    std::unordered_map<int, QTreeWidgetItem*> byValue_;
    bool menuKeyHandled_ = false;
};

}  // namespace tw
