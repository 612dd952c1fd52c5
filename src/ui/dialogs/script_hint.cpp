#include "ui/dialogs/script_hint.h"

#include <QEvent>
#include <QLineEdit>

#include "ui/platform/text_codec.h"

namespace tw {
namespace {

// Green for a good script, red for an error, each dark on a light window and light on a
// dark one, so the hint stays readable under either desktop palette.
QString HintStyle(bool isFine, const QColor& background) {
    const bool isDark = background.lightnessF() < 0.5;
    if (isFine) {
        return isDark ? "color: #81c784;" : "color: #1b6e20;";
    }
    return isDark ? "color: #ff8a80;" : "color: #b00020;";
}

}  // namespace

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
            setStyleSheet(HintStyle(true, window()->palette().color(QPalette::Window)));
            break;
        case FieldCheck::kError:
            setText("\u2716 " + FromBytes(state_.message));
            setStyleSheet(HintStyle(false, window()->palette().color(QPalette::Window)));
            break;
    }
    field_->setAccessibleDescription(text());
}

void ScriptHint::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::ApplicationPaletteChange) {
        Refresh();
    }
}

}  // namespace tw
