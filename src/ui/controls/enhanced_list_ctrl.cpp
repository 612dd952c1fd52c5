#include "ui/controls/enhanced_list_ctrl.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>
#include <utility>

#include "ui/controls/in_place_edit.h"
#include "ui/controls/shown_label.h"

namespace tw {
namespace {

bool IsCLocaleSpace(QChar c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Only the C locale's white space: a no-break space is text.
QString TrimSpaces(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsCLocaleSpace(text[begin])) {
        ++begin;
    }
    while (end > begin && IsCLocaleSpace(text[end - 1])) {
        --end;
    }
    return text.mid(begin, end - begin);
}

// A cell's whole text, where it shows only a part.
constexpr int kWholeTextRole = EnhancedListCtrl::kImageRole + 1;

// A cell is given a bounded part of its text to lay out; when that is not all of it, the
// whole text stays beside it for ItemText and the in-place editor.
void SetCellText(QTreeWidgetItem& item, int column, const QString& text) {
    QString shown = ShownLabel(text);
    const bool whole = shown == text;
    item.setText(column, std::move(shown));
    item.setData(column, kWholeTextRole, whole ? QVariant() : QVariant(text));
}

}  // namespace

EnhancedListCtrl::EnhancedListCtrl(QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);  // scroll bar value = top row
    setDragEnabled(false);
    setIconSize(QSize(15, 15));
    setColumnCount(0);
    header()->setStretchLastSection(true);
    header()->setSectionsMovable(false);
    header()->setMinimumSectionSize(0);
    scrollUp_.setInterval(kAutoScrollMs);
    scrollDown_.setInterval(kAutoScrollMs);
    connect(&scrollUp_, &QTimer::timeout, this, [this] { ScrollBy(-1); });
    connect(&scrollDown_, &QTimer::timeout, this, [this] { ScrollBy(1); });
}

// An editor still open has nothing left to report to.
EnhancedListCtrl::~EnhancedListCtrl() {
    if (editor_) {
        editor_->Abandon();
        delete editor_;
    }
}

void EnhancedListCtrl::SetColumnEditable(int column, bool editable) {
    if (column >= 0 && column < static_cast<int>(editable_.size())) {
        editable_[static_cast<std::size_t>(column)] = editable;
    }
}

bool EnhancedListCtrl::IsColumnEditable(int column) const {
    return column >= 0 && column < static_cast<int>(editable_.size()) &&
           editable_[static_cast<std::size_t>(column)];
}

void EnhancedListCtrl::AddColumn(const QString& title, int width) {
    const int column = columnCount();
    setColumnCount(column + 1);
    headerItem()->setText(column, title);
    headerItem()->setTextAlignment(column, Qt::AlignLeft | Qt::AlignVCenter);
    setColumnWidth(column, width);
}

int EnhancedListCtrl::InsertRow(int row, const QString& text, int image, int value) {
    row = std::clamp(row, 0, RowCount());
    auto* item = new QTreeWidgetItem;
    SetCellText(*item, 0, text);
    item->setData(0, kItemValueRole, value);
    item->setData(0, kImageRole, image);
    if (image >= 0 && image < static_cast<int>(images_.size())) {
        item->setIcon(0, images_[static_cast<std::size_t>(image)]);
    }
    insertTopLevelItem(row, item);
    return row;
}

void EnhancedListCtrl::SetItemText(int row, int column, const QString& text) {
    if (QTreeWidgetItem* item = topLevelItem(row)) {
        SetCellText(*item, column, text);
    }
}

QString EnhancedListCtrl::ItemText(int row, int column) const {
    const QTreeWidgetItem* item = topLevelItem(row);
    if (item == nullptr) {
        return {};
    }
    const QVariant whole = item->data(column, kWholeTextRole);
    return whole.isValid() ? whole.toString() : item->text(column);
}

int EnhancedListCtrl::ItemValue(int row) const {
    const QTreeWidgetItem* item = topLevelItem(row);
    return item ? item->data(0, kItemValueRole).toInt() : 0;
}

int EnhancedListCtrl::ItemImage(int row) const {
    const QTreeWidgetItem* item = topLevelItem(row);
    return item ? item->data(0, kImageRole).toInt() : -1;
}

void EnhancedListCtrl::DeleteAllRows() {
    CloseEditor();
    clear();
}

int EnhancedListCtrl::SelectedRow() const {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : indexOfTopLevelItem(selected.front());
}

void EnhancedListCtrl::SelectRow(int row) {
    if (QTreeWidgetItem* item = topLevelItem(row)) {
        setCurrentItem(item);
    }
}

EnhancedListCtrl::Hit EnhancedListCtrl::HitTestEx(QPoint pos) const {
    const QModelIndex index = indexAt(pos);
    const int column = header()->logicalIndexAt(pos.x());
    if (!index.isValid() || column < 0) {
        return Hit{};
    }
    return Hit{index.row(), column};
}

int EnhancedListCtrl::TopIndex() const {
    return RowCount() == 0 ? 0 : verticalScrollBar()->value();
}

// Rows that fit wholly in the client area.
int EnhancedListCtrl::CountPerPage() const {
    const int rowHeight = RowCount() > 0 ? visualItemRect(topLevelItem(TopIndex())).height() : 0;
    return rowHeight > 0 ? std::max(1, viewport()->height() / rowHeight) : 1;
}

// In-place editing.

bool EnhancedListCtrl::ScrollCellIntoView(int column) {
    const int left = header()->sectionViewportPosition(column);
    const int right = left + columnWidth(column);
    QScrollBar* bar = horizontalScrollBar();
    if (left < 0) {
        bar->setValue(bar->value() + left);
    } else if (right > viewport()->width()) {
        bar->setValue(bar->value() + std::min(left, right - viewport()->width()));
    }
    return true;
}

CInPlaceEdit* EnhancedListCtrl::EditSubLabel(int row, int column) {
    QTreeWidgetItem* item = topLevelItem(row);
    if (item == nullptr || column < 0 || column >= columnCount() || columnWidth(column) < 5) {
        return nullptr;
    }
    scrollToItem(item);
    ScrollCellIntoView(column);
    CloseEditor();
    const QRect cell = visualRect(indexFromItem(item, column));
    const int left = header()->sectionViewportPosition(column) + 4;
    const int right = std::min(left - 4 + columnWidth(column) - 3, viewport()->width());
    auto* editor = new CInPlaceEdit(*this, row, column, ItemText(row, column));
    editor->setProperty("controlId", kEditorId);
    editor->setAlignment(QFlags<Qt::AlignmentFlag>(headerItem()->textAlignment(column)) &
                         Qt::AlignHorizontal_Mask);
    editor->setGeometry(left, cell.top(), std::max(right - left, 1), cell.height());
    editor->selectAll();
    editor->show();
    editor->setFocus();
    editor_ = editor;
    return editor;
}

void EnhancedListCtrl::OnEndLabelEdit(CInPlaceEdit& editor, std::optional<QString> text) {
    if (editor_ == &editor) {
        editor_ = nullptr;
    }
    if (!text) {
        return;
    }
    QString result = TrimSpaces(*text);
    if (onEdit_) {
        onEdit_(editor.Row(), editor.Column(), result, *this);
    }
    SetItemText(editor.Row(), editor.Column(), result);
}

void EnhancedListCtrl::CloseEditor() {
    if (editor_) {
        editor_->Finish();
        editor_ = nullptr;
    }
}

void EnhancedListCtrl::ClickToEdit(Hit hit, bool wasFocused) {
    if (hit.row < 0 || !IsColumnEditable(hit.column)) {
        return;
    }
    if (!wasFocused) {
        SelectRow(hit.row);
    } else if (labelEditing_) {
        EditSubLabel(hit.row, hit.column);
    }
}

// F2 edits the first editable column of the focused row; our lists have one such column.
void EnhancedListCtrl::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_F2) {
        QTreeWidget::keyPressEvent(event);
        return;
    }
    const int row = currentIndex().isValid() ? currentIndex().row() : -1;
    for (int column = 0; column < columnCount(); ++column) {
        if (row >= 0 && IsColumnEditable(column)) {
            ClickToEdit(Hit{row, column}, true);
            break;
        }
    }
}

// Dragging rows.

bool EnhancedListCtrl::BeginDrag(int row, QPoint pos) {
    QTreeWidgetItem* item = topLevelItem(row);
    if (!dragEnabled_ || item == nullptr) {
        return false;
    }
    clearSelection();
    setCurrentItem(item);
    viewport()->update();
    CloseEditor();
    dragImage_ = std::make_unique<DragImage>(viewport()->grab(visualItemRect(item)), kDragHotSpot);
    dragImage_->MoveTo(viewport()->mapToGlobal(pos));
    dragging_ = true;
    dragRow_ = row;
    lastPos_ = pos;
    overList_ = true;
    viewport()->grabMouse();
    return true;
}

void EnhancedListCtrl::DragMove(QPoint pos) {
    if (!dragging_) {
        return;
    }
    dragImage_->MoveTo(viewport()->mapToGlobal(pos));
    lastPos_ = pos;
    overList_ = viewport()->rect().contains(pos);
    const int hit = HitTestEx(pos).row;
    const int top = TopIndex();
    const int last = top + CountPerPage() - 1;
    if (hit == top && top != 0) {
        if (!scrollUp_.isActive()) {
            scrollUp_.start();
        }
    } else {
        scrollUp_.stop();
    }
    if (hit == last && last != RowCount() - 1) {
        if (!scrollDown_.isActive()) {
            scrollDown_.start();
        }
    } else {
        scrollDown_.stop();
    }
}

void EnhancedListCtrl::ScrollBy(int rows) {
    if (!dragging_) {
        return;
    }
    if (dragImage_) {
        dragImage_->hide();
    }
    verticalScrollBar()->setValue(verticalScrollBar()->value() + rows);
    viewport()->repaint();
    if (dragImage_) {
        dragImage_->show();
    }
}

void EnhancedListCtrl::EndDrag() {
    if (!dragging_) {
        return;
    }
    scrollUp_.stop();
    scrollDown_.stop();
    viewport()->releaseMouse();
    dragging_ = false;
    dragImage_.reset();
    if (overList_) {
        Drop();
    }
}

// The row lands before the row under the drop point, or at the end.
void EnhancedListCtrl::Drop() {
    const int hit = HitTestEx(lastPos_ + QPoint(0, kDropOffset)).row;
    const int insertAt = hit < 0 ? RowCount() : hit;
    const int to = insertAt > dragRow_ ? insertAt - 1 : insertAt;
    if (to == dragRow_ || topLevelItem(dragRow_) == nullptr) {
        return;
    }
    if (onMove_) {
        onMove_(dragRow_, to, *this);
    }
    QTreeWidgetItem* item = takeTopLevelItem(dragRow_);
    insertTopLevelItem(to, item);
    setCurrentItem(item);
}

void EnhancedListCtrl::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const Hit hit = HitTestEx(pos);
    const bool wasFocused =
        hit.row >= 0 && currentIndex().isValid() && currentIndex().row() == hit.row;
    QTreeWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton) {
        return;
    }
    pressPos_ = pos;
    pressRow_ = hit.row;
    ClickToEdit(hit, wasFocused);
}

void EnhancedListCtrl::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (dragging_) {
        DragMove(pos);
        return;
    }
    if ((event->buttons() & Qt::LeftButton) && pressRow_ >= 0 && dragEnabled_ &&
        (pos - pressPos_).manhattanLength() >= QApplication::startDragDistance()) {
        BeginDrag(std::exchange(pressRow_, -1), pressPos_);
        DragMove(pos);
        return;
    }
    QTreeWidget::mouseMoveEvent(event);
}

void EnhancedListCtrl::mouseReleaseEvent(QMouseEvent* event) {
    pressRow_ = -1;
    if (dragging_ && event->button() == Qt::LeftButton) {
        EndDrag();
        return;
    }
    QTreeWidget::mouseReleaseEvent(event);
}

}  // namespace tw
