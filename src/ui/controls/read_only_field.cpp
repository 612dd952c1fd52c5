#include "ui/controls/read_only_field.h"

#include <QEvent>
#include <QLineEdit>
#include <QPalette>

namespace tw {
namespace {

constexpr QPalette::ColorGroup kGroups[] = {QPalette::Active, QPalette::Inactive,
                                            QPalette::Disabled};

bool HasWindowBase(const QPalette& palette) {
    for (QPalette::ColorGroup group : kGroups) {
        if (palette.brush(group, QPalette::Base) != palette.brush(group, QPalette::Window)) {
            return false;
        }
    }
    return true;
}

// Only Base is set on the field, so every other role still comes from its parent; when the
// window's colour changes, Base is set again to match.
void ApplyWindowBase(QWidget* field) {
    if (HasWindowBase(field->palette())) {
        return;
    }
    QPalette own;
    for (QPalette::ColorGroup group : kGroups) {
        own.setBrush(group, QPalette::Base, field->palette().brush(group, QPalette::Window));
    }
    field->setPalette(own);
}

// Keeps a read-only field's Base in step with its Window colour.
class ReadOnlyLook : public QObject {
public:
    explicit ReadOnlyLook(QWidget* field) : QObject(field), field_(field) {
        setObjectName(kName);
        field->installEventFilter(this);
    }

    static constexpr const char* kName = "tw_read_only_look";

    void SetReadOnly(bool readOnly) {
        readOnly_ = readOnly;
        if (readOnly) {
            ApplyWindowBase(field_);
        } else {
            field_->setPalette(QPalette());  // back to the inherited palette
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == field_ && readOnly_ && event->type() == QEvent::PaletteChange) {
            ApplyWindowBase(field_);
        }
        return false;
    }

private:
    QWidget* field_;
    bool readOnly_ = false;
};

}  // namespace

void ShowAsReadOnly(QWidget* field, bool readOnly) {
    auto* look = dynamic_cast<ReadOnlyLook*>(
        field->findChild<QObject*>(ReadOnlyLook::kName, Qt::FindDirectChildrenOnly));
    if (look == nullptr) {
        if (!readOnly) {
            return;
        }
        look = new ReadOnlyLook(field);
    }
    look->SetReadOnly(readOnly);
}

void SetReadOnlyField(QLineEdit* edit, bool readOnly) {
    edit->setReadOnly(readOnly);
    ShowAsReadOnly(edit, readOnly);
}

}  // namespace tw
