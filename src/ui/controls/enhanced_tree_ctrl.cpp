#include "ui/controls/enhanced_tree_ctrl.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <deque>
#include <utility>

namespace tw {

EnhancedTreeCtrl::EnhancedTreeCtrl(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(false);  // the drag is ours, so it can be vetoed and drawn as we like
    setIconSize(QSize(15, 15));
    // Every row is one line of the same font and icon size; without this the view measures
    // each row again on every layout, which at 100,000 rows is most of a frame.
    setUniformRowHeights(true);
    setupItemIndex();
}

// The model outlives this part of the tree and tells of the items it deletes as it goes:
// nothing here may listen by then.
EnhancedTreeCtrl::~EnhancedTreeCtrl() {
    disconnect(model(), nullptr, this, nullptr);
}

QTreeWidgetItem* EnhancedTreeCtrl::InsertItem(const QString& text, int image, int selectedImage,
                                              int value, QTreeWidgetItem* parent,
                                              QTreeWidgetItem* after) {
    QTreeWidgetItem* item = MakeItem(text, image, selectedImage, value);
    InsertAt(item, parent, after);
    return item;
}

int EnhancedTreeCtrl::ItemValue(const QTreeWidgetItem* item) {
    return item ? item->data(0, kItemValueRole).toInt() : 0;
}

void EnhancedTreeCtrl::SetItemImage(QTreeWidgetItem* item, int image, int selectedImage) {
    item->setData(0, kImageRole, image);
    item->setData(0, kSelectedImageRole, selectedImage);
    const auto count = static_cast<int>(images_.size());
    if (image < 0 || image >= count) {
        item->setIcon(0, QIcon());
        return;
    }
    QIcon icon = images_[static_cast<std::size_t>(image)];
    if (selectedImage != image && selectedImage >= 0 && selectedImage < count) {
        const QIcon& selected = images_[static_cast<std::size_t>(selectedImage)];
        icon.addPixmap(selected.pixmap(iconSize()), QIcon::Selected);
    }
    item->setIcon(0, icon);
}

void EnhancedTreeCtrl::InsertAt(QTreeWidgetItem* item, QTreeWidgetItem* parent,
                                QTreeWidgetItem* after) {
    if (parent != nullptr) {
        parent->insertChild(after ? parent->indexOfChild(after) + 1 : parent->childCount(), item);
    } else {
        insertTopLevelItem(after ? indexOfTopLevelItem(after) + 1 : topLevelItemCount(), item);
    }
}

QTreeWidgetItem* EnhancedTreeCtrl::CopyItem(QTreeWidgetItem* item, QTreeWidgetItem* newParent,
                                            QTreeWidgetItem* after) {
    QTreeWidgetItem* copy = NewItem();
    for (int column = 0; column < item->columnCount(); ++column) {
        for (int role : {int(Qt::DisplayRole), int(Qt::DecorationRole), int(Qt::ToolTipRole),
                         int(Qt::CheckStateRole), kItemValueRole, kImageRole, kSelectedImageRole}) {
            copy->setData(column, role, item->data(column, role));
        }
    }
    copy->setFlags(item->flags());
    InsertAt(copy, newParent, after);
    OnItemCopied(item, copy);
    return copy;
}

// Breadth first with a queue rather than recursion: a deep branch cannot exhaust the stack.
QTreeWidgetItem* EnhancedTreeCtrl::CopyBranch(QTreeWidgetItem* item, QTreeWidgetItem* newParent,
                                              QTreeWidgetItem* after) {
    QTreeWidgetItem* root = CopyItem(item, newParent, after);
    std::deque<std::pair<QTreeWidgetItem*, QTreeWidgetItem*>> pending{{item, root}};
    while (!pending.empty()) {
        const auto [old, copy] = pending.front();
        pending.pop_front();
        for (int i = 0; i < old->childCount(); ++i) {
            pending.emplace_back(old->child(i), CopyItem(old->child(i), copy, nullptr));
        }
    }
    return root;
}

QTreeWidgetItem* EnhancedTreeCtrl::MakeRoot(QTreeWidgetItem* item) {
    QTreeWidgetItem* copy = CopyBranch(item, nullptr, nullptr);
    delete item;
    return copy;
}

void EnhancedTreeCtrl::ExpandAll(bool expand) {
    ExpandAll(expand, {});
}

void EnhancedTreeCtrl::OnItemCopied(QTreeWidgetItem*, QTreeWidgetItem*) {}

QTreeWidgetItem* EnhancedTreeCtrl::GetDropTarget(QTreeWidgetItem* item) {
    if (item == draggedItem_ || (draggedItem_ && item == draggedItem_->parent())) {
        return nullptr;
    }
    return !canDrop_ || canDrop_(item, *this) ? item : nullptr;
}

bool EnhancedTreeCtrl::CanDrag(QTreeWidgetItem* item) {
    return !canDrag_ || canDrag_(item, *this);
}

bool EnhancedTreeCtrl::BeginDrag(QTreeWidgetItem* item, QPoint pos) {
    draggedItem_ = item;
    dropTarget_ = nullptr;
    setCurrentItem(item);
    if (!CanDrag(item)) {
        return false;
    }
    dragValue_ = ItemValue(item);
    const QRect rect = visualItemRect(item);
    if (rect.isEmpty()) {
        return false;  // no picture of the item, no drag
    }
    dragImage_ = std::make_unique<DragImage>(viewport()->grab(rect), kDragHotSpot);
    dragging_ = true;
    dragImage_->MoveTo(viewport()->mapToGlobal(pos));
    viewport()->grabMouse();
    return true;
}

void EnhancedTreeCtrl::DragMove(QPoint pos) {
    if (!dragging_) {
        return;
    }
    dragImage_->MoveTo(viewport()->mapToGlobal(pos));
    QTreeWidgetItem* hit = itemAt(pos);
    if (hit == nullptr) {
        dropTarget_ = nullptr;  // the last highlight stays until the drop
        return;
    }
    dropTarget_ = GetDropTarget(hit);
    SetDropHighlight(dropTarget_);
}

void EnhancedTreeCtrl::EndDrag() {
    if (!dragging_) {
        return;
    }
    dragging_ = false;
    dragImage_.reset();
    viewport()->releaseMouse();
    SetDropHighlight(nullptr);
    if (!IsValidDrop()) {
        return;
    }
    QTreeWidgetItem* target = dropTarget_;
    if (onDrop_) {
        onDrop_(draggedItem_, target, *this);
    }
    QTreeWidgetItem* copy = CopyBranch(draggedItem_, target, nullptr);
    delete draggedItem_;
    draggedItem_ = nullptr;
    dropTarget_ = nullptr;
    target->setExpanded(true);
    setCurrentItem(copy);
    SetItemValue(copy, dragValue_);
}

bool EnhancedTreeCtrl::IsValidDrop() const {
    return dropTarget_ != nullptr && dropTarget_ != draggedItem_ &&
           !IsAncestor(draggedItem_, dropTarget_);
}

bool EnhancedTreeCtrl::IsAncestor(const QTreeWidgetItem* ancestor, const QTreeWidgetItem* item) {
    for (const QTreeWidgetItem* up = item->parent(); up != nullptr; up = up->parent()) {
        if (up == ancestor) {
            return true;
        }
    }
    return false;
}

void EnhancedTreeCtrl::SetDropHighlight(QTreeWidgetItem* item) {
    if (item != dropHighlight_) {
        dropHighlight_ = item;
        viewport()->update();
    }
}

void EnhancedTreeCtrl::mousePressEvent(QMouseEvent* event) {
    QTreeWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) {
        pressPos_ = event->position().toPoint();
        pressItem_ = itemAt(pressPos_);
    }
}

void EnhancedTreeCtrl::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (dragging_) {
        DragMove(pos);
        return;
    }
    if (dragRefused_) {
        return;  // a refused drag leaves the tree as it was until the button is let go
    }
    if ((event->buttons() & Qt::LeftButton) && pressItem_ != nullptr &&
        (pos - pressPos_).manhattanLength() >= QApplication::startDragDistance()) {
        QTreeWidgetItem* item = std::exchange(pressItem_, nullptr);
        dragRefused_ = !BeginDrag(item, pos);
        return;
    }
    QTreeWidget::mouseMoveEvent(event);
}

void EnhancedTreeCtrl::mouseReleaseEvent(QMouseEvent* event) {
    pressItem_ = nullptr;
    dragRefused_ = false;
    if (dragging_ && event->button() == Qt::LeftButton) {
        EndDrag();
        return;
    }
    QTreeWidget::mouseReleaseEvent(event);
}

// The drop target is drawn as if selected, as the platform's drop highlight looks.
void EnhancedTreeCtrl::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    if (dropHighlight_ != nullptr && itemFromIndex(index) == dropHighlight_) {
        QStyleOptionViewItem highlighted(option);
        highlighted.state |= QStyle::State_Selected;
        QTreeWidget::drawRow(painter, highlighted, index);
        return;
    }
    QTreeWidget::drawRow(painter, option, index);
}

}  // namespace tw
