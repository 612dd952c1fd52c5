#include "ui/dialogs/conditional_dlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "ui/dialogs/script_hint.h"

namespace tw {
namespace {

constexpr int kConditionLength = 511;

}  // namespace

CConditionalDlg::CConditionalDlg(PlatformServices& services, std::optional<std::string> expression,
                                 QWidget* parent)
    : CEditingDialog(services, parent), expression_(expression.value_or(std::string{})) {
    setWindowTitle("Create Boolean Expression");
    auto* grid = new QGridLayout(this);
    SetupSimple(grid);
    SetupJunction(grid, 1043, "C&onjunction:", 1049, "AND", 1050, 4);
    SetupJunction(grid, 1044, "&Disjunction:", 1051, "OR", 1052, 6);
    SetupComplex(grid);
    grid->addWidget(AddOkCancel(), 11, 0, 1, 4);
    Control<QComboBox>(1048)->setCurrentIndex(0);
    Control<QRadioButton>(expression ? 1054 : 1053)->setChecked(true);
    if (expression) {
        SetTextOf(1055, *expression);
    }
}

void CConditionalDlg::SetupSimple(QGridLayout* grid) {
    grid->addWidget(Keep(1053, new QRadioButton("&Simple Comparison:", this)), 0, 0, 1, 4);
    QLineEdit* left = AddEdit(1045, kConditionLength);
    grid->addWidget(AddLabel("&Left Hand Side:", left), 1, 1);
    grid->addWidget(left, 1, 2, 1, 2);
    auto* op = Keep(1048, new QComboBox(this));
    for (const ComparisonOperator& item : kComparisonOperators) {
        op->addItem(item.label);
    }
    grid->addWidget(AddLabel("O&perator:", op), 2, 1);
    grid->addWidget(op, 2, 2, 1, 2);
    auto* right = Keep(1067, new QComboBox(this));
    right->setEditable(true);
    right->setInsertPolicy(QComboBox::NoInsert);
    right->addItems({"TRUE", "FALSE"});
    right->setCurrentIndex(-1);
    right->lineEdit()->setMaxLength(kConditionLength);
    grid->addWidget(AddLabel("&Right Hand Side:", right), 3, 1);
    grid->addWidget(right, 3, 2, 1, 2);
    SelectOnEdit(left, 1053);
    SelectOnEdit(right->lineEdit(), 1053);
    grid->setColumnMinimumWidth(0, 16);
    grid->setColumnStretch(2, 1);
}

void CConditionalDlg::SetupJunction(QGridLayout* grid, int radio, const QString& caption, int left,
                                    const QString& word, int right, int row) {
    grid->addWidget(Keep(radio, new QRadioButton(caption, this)), row, 0, 1, 4);
    QLineEdit* a = AddEdit(left, kConditionLength);
    QLineEdit* b = AddEdit(right, kConditionLength);
    const QString name = QString(caption).remove('&').remove(':');
    a->setAccessibleName(name + " left side");
    b->setAccessibleName(name + " right side");
    grid->addWidget(a, row + 1, 1);
    grid->addWidget(new QLabel(word, this), row + 1, 2, Qt::AlignCenter);
    grid->addWidget(b, row + 1, 3);
    SelectOnEdit(a, radio);
    SelectOnEdit(b, radio);
}

void CConditionalDlg::SetupComplex(QGridLayout* grid) {
    grid->addWidget(Keep(1054, new QRadioButton("Co&mplex:", this)), 8, 0, 1, 4);
    QLineEdit* complex = AddEdit(1055, kConditionLength);
    complex->setAccessibleName("Complex");
    grid->addWidget(complex, 9, 1, 1, 3);
    grid->addWidget(new ScriptHint(complex, CheckExpressionField, this), 10, 1, 1, 3);
    SelectOnEdit(complex, 1054);
}

void CConditionalDlg::SelectOnEdit(QWidget* field, int radio) {
    if (auto* edit = qobject_cast<QLineEdit*>(field)) {
        connect(edit, &QLineEdit::textEdited, this,
                [this, radio] { Control<QRadioButton>(radio)->setChecked(true); });
    }
}

ConditionFields CConditionalDlg::Fields() const {
    ConditionFields fields;
    fields.form = Control<QRadioButton>(1053)->isChecked()   ? ConditionForm::kSimple
                  : Control<QRadioButton>(1043)->isChecked() ? ConditionForm::kConjunction
                  : Control<QRadioButton>(1044)->isChecked() ? ConditionForm::kDisjunction
                  : Control<QRadioButton>(1054)->isChecked() ? ConditionForm::kComplex
                                                             : ConditionForm::kNone;
    fields.left = TextOf(1045);
    fields.operatorIndex =
        static_cast<std::size_t>(std::max(0, Control<QComboBox>(1048)->currentIndex()));
    fields.right = TextOf(1067);
    fields.andLeft = TextOf(1049);
    fields.andRight = TextOf(1050);
    fields.orLeft = TextOf(1051);
    fields.orRight = TextOf(1052);
    fields.complex = TextOf(1055);
    return fields;
}

void CConditionalDlg::OnOk() {
    const ConditionOutcome outcome = BuildCondition(Fields());
    if (!outcome.error.empty()) {
        ShowError(outcome.error);
        return;
    }
    if (outcome.expression) {
        expression_ = *outcome.expression;
    }
    accept();
}

}  // namespace tw
