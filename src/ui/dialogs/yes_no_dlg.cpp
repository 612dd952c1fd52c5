#include "ui/dialogs/yes_no_dlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace tw {
namespace {

constexpr int kTextLength = 255;

}  // namespace

CYesNoDlg::CYesNoDlg(PlatformServices& services, const std::optional<YesNoFields>& prepared,
                     const std::vector<std::string>& nodes, QWidget* parent)
    : CEditingDialog(services, parent) {
    setWindowTitle("Describe Multiple Choice Command");
    auto* grid = new QGridLayout(this);
    const YesNoFields shown = prepared.value_or(YesNoFields{});
    for (int row = 0; row < 2; ++row) {
        const auto index = static_cast<std::size_t>(row);
        QLineEdit* choice = AddEdit(kChoiceIds[row], kTextLength);
        QComboBox* node = AddNodeBox(kNodeIds[row], nodes, kTextLength);
        grid->addWidget(AddLabel(QString("Choice &%1:").arg(row + 1), choice), row, 0);
        grid->addWidget(choice, row, 1);
        QLabel* to = AddLabel("branches to:", node);
        node->setAccessibleName(QString("Choice %1 branches to:").arg(row + 1));
        grid->addWidget(to, row, 2);
        grid->addWidget(node, row, 3);
        SetTextOf(kChoiceIds[row], shown.choices[index]);
        SetTextOf(kNodeIds[row], shown.nodes[index]);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->addWidget(AddOkCancel(), 2, 0, 1, 4);
    setMinimumWidth(460);
}

YesNoFields CYesNoDlg::Fields() const {
    YesNoFields fields;
    for (std::size_t i = 0; i < CommandYesNo::kEntries; ++i) {
        fields.choices[i] = TextOf(kChoiceIds[i]);
        fields.nodes[i] = TextOf(kNodeIds[i]);
    }
    return fields;
}

void CYesNoDlg::OnOk() {
    AcceptChecked(Fields(), CheckYesNoFields, result_);
}

}  // namespace tw
