#include "ui/dialogs/script_hint.h"

#include <QLineEdit>

#include "ui/platform/text_codec.h"

namespace tw {

ScriptHint::ScriptHint(QLineEdit* field, Check check, QWidget* parent)
    : QLabel(parent), field_(field), check_(check) {
    setWordWrap(true);
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    setFont(small);
    // Room for one line even while empty, so the dialog does not jump as the writer types.
    setMinimumHeight(fontMetrics().height());
    setTextFormat(Qt::PlainText);
    connect(field, &QLineEdit::textChanged, this, [this] { Refresh(); });
    Refresh();
}

void ScriptHint::Refresh() {
    state_ = check_(ToBytes(field_->text()));
    switch (state_.state) {
        case FieldCheck::kEmpty:
            setText({});
            break;
        case FieldCheck::kFine:
            setText(kFineText);
            setStyleSheet("color: #1b6e20;");
            break;
        case FieldCheck::kError:
            setText("\u2716 " + FromBytes(state_.message));
            setStyleSheet("color: #b00020;");
            break;
    }
    field_->setAccessibleDescription(text());
}

}  // namespace tw
