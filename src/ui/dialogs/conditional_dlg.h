#pragma once

#include <optional>
#include <string>

#include "model/editing/condition_dialog_rules.h"
#include "ui/dialogs/editing_dialog.h"

class QRadioButton;

namespace tw {

// "Create Boolean Expression": builds a condition from a comparison, a conjunction, a
// disjunction or free text. Given an expression it opens on "Complex:" showing it.
class CConditionalDlg : public CEditingDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 149;

    CConditionalDlg(PlatformServices& services, std::optional<std::string> expression,
                    QWidget* parent = nullptr);
    // The expression after OK: the one built, or the one given when no form was chosen.
    const std::string& GetExpression() const { return expression_; }
    ConditionFields Fields() const;

protected:
    void OnOk() override;

private:
    void SetupSimple(class QGridLayout* grid);
    void SetupJunction(QGridLayout* grid, int radio, const QString& caption, int left,
                       const QString& word, int right, int row);
    void SetupComplex(QGridLayout* grid);
    // Typing into a form's field chooses that form.
    void SelectOnEdit(QWidget* field, int radio);

    std::string expression_;
};

}  // namespace tw
