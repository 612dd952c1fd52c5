#pragma once

#include <QLabel>
#include <string_view>

#include "model/editing/script_field_check.h"

class QLineEdit;

namespace tw {

// The line under a script field: the script language's own message while the text does not
// compile, a mark when it does, nothing while the field is empty. It never blocks OK.
class ScriptHint : public QLabel {
    Q_OBJECT

public:
    using Check = FieldCheck (*)(std::string_view);
    static constexpr const char* kFineText = "\u2714 valid script";

    ScriptHint(QLineEdit* field, Check check, QWidget* parent);
    FieldCheck State() const { return state_; }
    void Refresh();

protected:
    // The hint's colours follow a change between a light and a dark desktop palette.
    void changeEvent(QEvent* event) override;

private:
    QLineEdit* field_;
    Check check_;
    FieldCheck state_;
};

}  // namespace tw
