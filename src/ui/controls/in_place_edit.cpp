#include "ui/controls/in_place_edit.h"

#include <QKeyEvent>
#include <algorithm>

#include "ui/controls/enhanced_list_ctrl.h"

namespace tw {
namespace {

bool IsEditorKey(const QKeyEvent& key) {
    switch (key.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Delete:
        case Qt::Key_Escape:
            return true;
        default:
            return key.modifiers().testFlag(Qt::ControlModifier);
    }
}

}  // namespace

CInPlaceEdit::CInPlaceEdit(EnhancedListCtrl& list, int row, int column, const QString& text)
    : QLineEdit(list.viewport()), list_(list), row_(row), column_(column), initialText_(text) {
    // A text past a line edit's usual limit is edited whole: cut, it would be stored cut.
    setMaxLength(static_cast<int>(std::max<qsizetype>(maxLength(), text.size())));
    setText(text);
    setObjectName("inPlaceEdit");
    setFrame(true);
    setFont(list.font());
}

// The window around the list gets none of the editor's keys: no default button on Enter,
// no closing on Escape, no shortcuts on Ctrl.
bool CInPlaceEdit::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && IsEditorKey(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

void CInPlaceEdit::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
            cancelled_ = true;
            [[fallthrough]];
        case Qt::Key_Return:
        case Qt::Key_Enter:
            list_.setFocus();
            Finish();
            return;
        default:
            QLineEdit::keyPressEvent(event);
            GrowToText();
            event->accept();
    }
}

void CInPlaceEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    Finish();
}

void CInPlaceEdit::Finish() {
    if (finished_) {
        return;
    }
    finished_ = true;
    hide();
    list_.OnEndLabelEdit(*this, cancelled_ ? std::nullopt : std::optional<QString>(text()));
    deleteLater();
}

// Never narrower than it is, never past the right edge of the list's client area.
void CInPlaceEdit::GrowToText() {
    const int wanted = fontMetrics().horizontalAdvance(text()) + 5 +
                       2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 4;
    const int limit = list_.viewport()->width() - x();
    resize(std::max(width(), std::min(wanted, limit)), height());
}

}  // namespace tw
