#include "ui/dialogs/list_dlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "ui/dialogs/script_hint.h"

namespace tw {
namespace {

constexpr int kTextLength = 255;

}  // namespace

ListDlg::ListDlg(PlatformServices& services, const std::optional<ListFields>& prepared,
                 const std::vector<std::string>& nodes, QWidget* parent)
    : CEditingDialog(services, parent) {
    setWindowTitle("Describe List Command");
    auto* grid = new QGridLayout(this);
    for (int row = 0; row < static_cast<int>(CommandList::kEntries); ++row) {
        AddRow(grid, row, nodes);
    }
    const int last = static_cast<int>(CommandList::kEntries);
    QLineEdit* back = AddEdit(kReturnChoiceId, kTextLength);
    QComboBox* backNode = AddNodeBox(kReturnNodeId, nodes, kTextLength);
    grid->addWidget(AddLabel("R&eturn:", back), last, 0);
    grid->addWidget(back, last, 1);
    grid->addWidget(AddLabel("branches to:", backNode), last, 2);
    backNode->setAccessibleName("Return branches to:");
    grid->addWidget(backNode, last, 3);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(3, 2);
    grid->setColumnStretch(5, 2);
    grid->setColumnStretch(6, 1);
    grid->setColumnMinimumWidth(6, 260);
    setMinimumWidth(1000);
    grid->addWidget(AddOkCancel(), last + 1, 0, 1, 7);
    if (prepared) {
        Show(*prepared);
    }
}

void ListDlg::AddRow(QGridLayout* grid, int row, const std::vector<std::string>& nodes) {
    const QString number = QString::number(row + 1);
    QLineEdit* choice = AddEdit(kChoiceIds[row], kTextLength);
    QComboBox* node = AddNodeBox(kNodeIds[row], nodes, kTextLength);
    QLineEdit* condition = AddEdit(kConditionIds[row], kTextLength);
    // Mnemonics for the first nine rows, by their digit.
    const QString caption = row < 9 ? "Choice &" + number + ":" : "Choice " + number + ":";
    grid->addWidget(AddLabel(caption, choice), row, 0);
    grid->addWidget(choice, row, 1);
    grid->addWidget(AddLabel("branches to:", node), row, 2);
    node->setAccessibleName("Choice " + number + " branches to:");
    grid->addWidget(node, row, 3);
    grid->addWidget(AddLabel("on condition:", condition), row, 4);
    condition->setAccessibleName("Choice " + number + " on condition:");
    grid->addWidget(condition, row, 5);
    auto* hint = new ScriptHint(condition, CheckExpressionField, this);
    hint->setWordWrap(false);
    grid->addWidget(hint, row, 6);
}

void ListDlg::Show(const ListFields& fields) {
    for (std::size_t i = 0; i < CommandList::kEntries; ++i) {
        SetTextOf(kChoiceIds[i], fields.choices[i]);
        SetTextOf(kNodeIds[i], fields.nodes[i]);
        SetTextOf(kConditionIds[i], fields.conditions[i]);
    }
    SetTextOf(kReturnChoiceId, fields.returnChoice);
    SetTextOf(kReturnNodeId, fields.returnNode);
}

ListFields ListDlg::Fields() const {
    ListFields fields;
    for (std::size_t i = 0; i < CommandList::kEntries; ++i) {
        fields.choices[i] = TextOf(kChoiceIds[i]);
        fields.nodes[i] = TextOf(kNodeIds[i]);
        fields.conditions[i] = TextOf(kConditionIds[i]);
    }
    fields.returnChoice = TextOf(kReturnChoiceId);
    fields.returnNode = TextOf(kReturnNodeId);
    return fields;
}

void ListDlg::OnOk() {
    AcceptChecked(Fields(), CheckListFields, result_);
}

}  // namespace tw
