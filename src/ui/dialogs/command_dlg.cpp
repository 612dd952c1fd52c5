#include "ui/dialogs/command_dlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "model/node_command.h"
#include "ui/dialogs/conditional_dlg.h"
#include "ui/dialogs/list_dlg.h"
#include "ui/dialogs/script_hint.h"
#include "ui/dialogs/yes_no_dlg.h"

namespace tw {
namespace {

constexpr int kTextLength = 2047;
constexpr int kConditionLength = 511;

// Radio ids by kind, in the order of the rows.
const std::pair<int, CommandChoice> kRadios[] = {
    {1017, CommandChoice::kManual},
    {1125, CommandChoice::kReply},
    {1019, CommandChoice::kSetFlag},
    {1021, CommandChoice::kClearFlag},
    {1022, CommandChoice::kAssign},
    {1029, CommandChoice::kConditionalAssign},
    {1027, CommandChoice::kMultipleChoice},
    {1030, CommandChoice::kResponseList},
    {1026, CommandChoice::kEnd},
    {1040, CommandChoice::kGoto},
};

}  // namespace

CCommandDlg::CCommandDlg(PlatformServices& services, const NodeCommand* command,
                         const DialogueNames& names, QWidget* parent)
    : CEditingDialog(services, parent), names_(names) {
    setWindowTitle(command ? "Edit Command" : "Add Command");
    auto* grid = new QGridLayout(this);
    grid->setColumnStretch(2, 1);
    SetupManualAndReply(grid);
    SetupFlags(grid);
    SetupAssignments(grid);
    SetupBranches(grid);
    SetupCondition(grid);
    grid->addWidget(AddOkCancel(), row_, 0, 1, 4);
    setMinimumWidth(620);
    ShowFields(command ? FieldsOfCommand(*command) : CommandFields{});
}

CCommandDlg::~CCommandDlg() = default;

QRadioButton* CCommandDlg::AddRadio(int id, const QString& caption, QGridLayout* grid, int row) {
    auto* radio = Keep(id, new QRadioButton(caption, this));
    grid->addWidget(radio, row, 0);
    connect(radio, &QRadioButton::toggled, this, [this, id](bool on) {
        if (on) {
            OnRadio(id);
        }
    });
    return radio;
}

QWidget* CCommandDlg::AddButton(int id, const QString& caption) {
    auto* button = Keep(id, new QPushButton(caption, this));
    button->setAutoDefault(false);
    return button;
}

// A script field with its hint on the row below.
QLineEdit* CCommandDlg::AddScriptEdit(int id, int maxLength, QGridLayout* grid, int row, int column,
                                      int span) {
    QLineEdit* edit = AddEdit(id, maxLength);
    grid->addWidget(edit, row, column, 1, span);
    auto* hint =
        new ScriptHint(edit, id == 1018 ? CheckStatementField : CheckExpressionField, this);
    grid->addWidget(hint, row + 1, column, 1, span);
    return edit;
}

void CCommandDlg::SetupManualAndReply(QGridLayout* grid) {
    AddRadio(1017, "Enter Command &Manually:", grid, row_);
    QLineEdit* manual = AddScriptEdit(1018, kTextLength, grid, row_, 1, 3);
    manual->setAccessibleName("Enter Command Manually:");
    kindControls_[1017] = {manual};
    row_ += 2;
    AddRadio(1125, "&Typed Reply:", grid, row_);
    QLineEdit* reply = AddEdit(1126, kTextLength);
    QLabel* label = AddLabel("Store in variable:", reply);
    AddNameCompleter(reply, names_.variables);
    grid->addWidget(label, row_, 1);
    grid->addWidget(reply, row_++, 2, 1, 2);
    kindControls_[1125] = {label, reply};
}

void CCommandDlg::SetupFlags(QGridLayout* grid) {
    AddRadio(1019, "&Set Flag:", grid, row_);
    QLineEdit* flag = AddEdit(1020, kTextLength);
    flag->setAccessibleName("Flag");
    AddNameCompleter(flag, names_.flags);
    grid->addWidget(flag, row_++, 1, 2, 3, Qt::AlignVCenter);
    AddRadio(1021, "C&lear Flag:", grid, row_++);
    kindControls_[1019] = {flag};
    kindControls_[1021] = {flag};
}

void CCommandDlg::SetupAssignments(QGridLayout* grid) {
    AddRadio(1022, "Unconditionally &Assign Variable:", grid, row_);
    QLineEdit* variable = AddEdit(1023, kTextLength);
    QLabel* variableLabel = AddLabel("Variable Name:", variable);
    AddNameCompleter(variable, names_.variables);
    grid->addWidget(variableLabel, row_, 1);
    grid->addWidget(variable, row_++, 2, 1, 2);
    QLineEdit* value = AddScriptEdit(1024, kTextLength, grid, row_, 2, 2);
    QLabel* valueLabel = AddLabel("value:", value);
    grid->addWidget(valueLabel, row_, 1);
    row_ += 2;
    kindControls_[1022] = {variableLabel, variable, valueLabel, value};
    AddRadio(1029, "Con&ditional Assign Variable:", grid, row_);
    auto& conditional = kindControls_[1029];
    conditional = {variableLabel, variable};
    const std::pair<int, QString> fields[] = {
        {1031, "Condition:"}, {1033, "True Value:"}, {1034, "False Value:"}};
    for (const auto& [id, caption] : fields) {
        const bool test = id == 1031;
        QLineEdit* edit =
            AddScriptEdit(id, test ? kConditionLength : kTextLength, grid, row_, 2, test ? 1 : 2);
        QLabel* label = AddLabel(caption, edit);
        grid->addWidget(label, row_, 1);
        conditional.insert(conditional.end(), {label, edit});
        if (id == 1031) {
            QWidget* choose = AddButton(1032, "Choose");
            choose->setAccessibleName("Choose the condition of the assignment");
            grid->addWidget(choose, row_, 3);
            connect(Control<QPushButton>(1032), &QPushButton::clicked, this,
                    [this] { OnChoose(1031); });
            conditional.push_back(choose);
        }
        row_ += 2;
    }
}

void CCommandDlg::SetupBranches(QGridLayout* grid) {
    const std::tuple<int, QString, int> describes[] = {
        {1027, "Initiate M&ultiple Choice Question", 1028},
        {1030, "Initiate &Response List", 1035}};
    for (const auto& [radio, caption, button] : describes) {
        AddRadio(radio, caption, grid, row_);
        QWidget* describe = AddButton(button, "Describe");
        describe->setAccessibleName(caption.mid(0).remove('&') + ": Describe");
        grid->addWidget(describe, row_++, 3);
        connect(Control<QPushButton>(button), &QPushButton::clicked, this,
                [this, radio] { OnDescribe(radio); });
        kindControls_[radio] = {describe};
    }
    AddRadio(1026, "&End Conversation", grid, row_++);
    kindControls_[1026] = {};
    AddRadio(1040, "&Goto Node:", grid, row_);
    QComboBox* node = AddNodeBox(1041, names_.nodes, kTextLength);
    node->setAccessibleName("Goto Node:");
    grid->addWidget(node, row_++, 1, 1, 3);
    auto* note = new QLabel("(doesn't allow for responses)", this);
    grid->addWidget(note, row_++, 1, 1, 3);
    kindControls_[1040] = {node, note};
}

void CCommandDlg::SetupCondition(QGridLayout* grid) {
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    grid->addWidget(line, row_++, 0, 1, 4);
    auto* check =
        Keep(1015, new QCheckBox("Only e&xecute when the following condition is true:", this));
    grid->addWidget(check, row_++, 0, 1, 4);
    QLineEdit* condition = AddScriptEdit(1016, kConditionLength, grid, row_, 0, 3);
    condition->setAccessibleName("Condition");
    QWidget* choose = AddButton(1025, "Ch&oose");
    choose->setAccessibleName("Choose the condition");
    grid->addWidget(choose, row_, 3);
    row_ += 2;
    const auto follow = [condition, choose](bool on) {
        condition->setEnabled(on);
        choose->setEnabled(on);
    };
    connect(check, &QCheckBox::toggled, this, follow);
    connect(Control<QPushButton>(1025), &QPushButton::clicked, this, [this] { OnChoose(1016); });
    follow(false);
}

void CCommandDlg::ShowFields(const CommandFields& fields) {
    SetTextOf(1018, fields.manual);
    SetTextOf(1126, fields.replyVariable);
    SetTextOf(1020, fields.flag);
    SetTextOf(1023, fields.variable);
    SetTextOf(1024, fields.value);
    SetTextOf(1031, fields.test);
    SetTextOf(1033, fields.trueValue);
    SetTextOf(1034, fields.falseValue);
    SetTextOf(1041, fields.gotoNode);
    SetTextOf(1016, fields.condition);
    Control<QCheckBox>(1015)->setChecked(fields.hasCondition);
    yesNo_ = fields.yesNo;
    list_ = fields.list;
    for (const auto& [id, choice] : kRadios) {
        if (choice == fields.choice) {
            Control<QRadioButton>(id)->setChecked(true);
            OnRadio(id);
        }
    }
}

// Only the chosen kind's controls are enabled; the radios are exclusive as one group.
void CCommandDlg::OnRadio(int id) {
    for (const auto& [radio, controls] : kindControls_) {
        for (QWidget* control : controls) {
            control->setEnabled(false);
        }
    }
    for (QWidget* control : kindControls_[id]) {
        control->setEnabled(true);
    }
}

CommandFields CCommandDlg::Fields() const {
    CommandFields fields;
    fields.choice = CommandChoice::kNone;
    for (const auto& [id, choice] : kRadios) {
        if (Control<QRadioButton>(id)->isChecked()) {
            fields.choice = choice;
        }
    }
    fields.manual = TextOf(1018);
    fields.replyVariable = TextOf(1126);
    fields.flag = TextOf(1020);
    fields.variable = TextOf(1023);
    fields.value = TextOf(1024);
    fields.test = TextOf(1031);
    fields.trueValue = TextOf(1033);
    fields.falseValue = TextOf(1034);
    fields.gotoNode = TextOf(1041);
    fields.hasCondition = Control<QCheckBox>(1015)->isChecked();
    fields.condition = TextOf(1016);
    fields.yesNo = yesNo_;
    fields.list = list_;
    return fields;
}

void CCommandDlg::OnChoose(int editId) {
    CConditionalDlg dialog(Services(), std::nullopt, this);
    if (RunChild(dialog) == QDialog::Accepted) {
        SetTextOf(editId, dialog.GetExpression());
    }
}

void CCommandDlg::OnDescribe(int radioId) {
    if (radioId == 1027) {
        CYesNoDlg dialog(Services(), yesNo_, names_.nodes, this);
        if (RunChild(dialog) == QDialog::Accepted) {
            yesNo_ = dialog.Result();
        }
    } else {
        ListDlg dialog(Services(), list_, names_.nodes, this);
        if (RunChild(dialog) == QDialog::Accepted) {
            list_ = dialog.Result();
        }
    }
}

void CCommandDlg::OnOk() {
    CommandOutcome outcome = BuildCommandFromFields(Fields());
    if (!outcome.error.empty()) {
        ShowError(outcome.error);
        return;
    }
    command_ = std::move(outcome.command);
    accept();
}

}  // namespace tw
