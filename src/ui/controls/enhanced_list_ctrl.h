#pragma once

#include <QIcon>
#include <QPointer>
#include <QTimer>
#include <QTreeWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "ui/controls/drag_image.h"
// QPointer needs the whole class wherever this header is used.
#include "ui/controls/in_place_edit.h"

namespace tw {

// The report-style list of commands, responses and state entries: rows are reordered by
// dragging, with automatic scrolling at the edges, and flagged columns are edited in place.
// The owner keeps its model in step through the move and edit callbacks.
class EnhancedListCtrl : public QTreeWidget {
    Q_OBJECT

public:
    // to is the index the row has after the move: take it out at from, put it back at to.
    using MoveHandler = std::function<void(int from, int to, EnhancedListCtrl& list)>;
    // text comes trimmed and may be changed; the cell shows it afterwards.
    using EditHandler =
        std::function<void(int row, int column, QString& text, EnhancedListCtrl& list)>;

    struct Hit {
        int row = -1;
        int column = -1;
    };

    static constexpr int kItemValueRole = Qt::UserRole + 1;
    static constexpr int kImageRole = Qt::UserRole + 2;
    static constexpr int kAutoScrollMs = 33;
    static constexpr QPoint kDragHotSpot{8, 8};
    static constexpr int kDropOffset = 10;  // the drop row is looked up this far below
    static constexpr int kEditorId = 101;

    explicit EnhancedListCtrl(QWidget* parent = nullptr);
    ~EnhancedListCtrl() override;

    void SetMoveHandler(MoveHandler handler) { onMove_ = std::move(handler); }
    void SetEditHandler(EditHandler handler) { onEdit_ = std::move(handler); }
    void SetImageList(std::vector<QIcon> images) { images_ = std::move(images); }
    void SetColumnEditable(int column, bool editable);
    bool IsColumnEditable(int column) const;
    void SetLabelEditing(bool allowed) { labelEditing_ = allowed; }
    bool AllowsLabelEditing() const { return labelEditing_; }
    void SetRowDragEnabled(bool enabled) { dragEnabled_ = enabled; }

    void AddColumn(const QString& title, int width);
    // Inserts a row at index (clamped to the end) with its first column's text and image.
    int InsertRow(int row, const QString& text, int image, int value = 0);
    void SetItemText(int row, int column, const QString& text);
    QString ItemText(int row, int column) const;
    int ItemValue(int row) const;
    int ItemImage(int row) const;
    int RowCount() const { return topLevelItemCount(); }
    void DeleteAllRows();
    int SelectedRow() const;
    void SelectRow(int row);

    Hit HitTestEx(QPoint pos) const;  // pos in viewport coordinates
    CInPlaceEdit* EditSubLabel(int row, int column);
    CInPlaceEdit* CurrentEditor() const { return editor_; }
    // Called by the editor when it ends; text is none when the edit was cancelled.
    void OnEndLabelEdit(CInPlaceEdit& editor, std::optional<QString> text);

    int TopIndex() const;
    int CountPerPage() const;

    // The steps of a row drag, as the mouse drives them (viewport coordinates).
    bool BeginDrag(int row, QPoint pos);
    void DragMove(QPoint pos);
    void EndDrag();
    bool IsDragging() const { return dragging_; }
    bool IsScrollingUp() const { return scrollUp_.isActive(); }
    bool IsScrollingDown() const { return scrollDown_.isActive(); }
    const DragImage* CurrentDragImage() const { return dragImage_.get(); }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ClickToEdit(Hit hit, bool wasFocused);
    void ScrollBy(int rows);
    void Drop();
    void CloseEditor();
    bool ScrollCellIntoView(int column);

    std::array<bool, 256> editable_{};
    bool dragEnabled_ = true;
    bool labelEditing_ = false;
    MoveHandler onMove_;
    EditHandler onEdit_;
    std::vector<QIcon> images_;
    std::unique_ptr<DragImage> dragImage_;
    bool dragging_ = false;
    int dragRow_ = -1;
    bool overList_ = false;
    QPoint lastPos_;
    QPoint pressPos_;
    int pressRow_ = -1;
    QTimer scrollUp_;
    QTimer scrollDown_;
    QPointer<CInPlaceEdit> editor_;
};

}  // namespace tw
