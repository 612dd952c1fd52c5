#include "ui/dialogs/npc_dlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "model/editing/node_name_rules.h"

namespace tw {
namespace {

constexpr int kTextLength = 255;

}  // namespace

CNPCDlg::CNPCDlg(PlatformServices& services, NPCData& npc, QWidget* parent)
    : CEditingDialog(services, parent), npc_(npc) {
    setWindowTitle("NPC Data");
    auto* form = new QFormLayout(this);
    QLineEdit* id = AddEdit(1064, kTextLength);
    id->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), id));
    QLineEdit* name = AddEdit(1065, kTextLength);
    auto* gender = Keep(1066, new QComboBox(this));
    gender->addItems({"Male", "Female"});
    form->addRow(AddLabel("NPC &ID:", id), id);
    form->addRow(AddLabel("&Name:", name), name);
    form->addRow(AddLabel("&Gender:", gender), gender);
    form->addRow(AddOkCancel());
    const NpcFields fields = FieldsOfNpc(npc);
    SetTextOf(1064, fields.id);
    SetTextOf(1065, fields.name);
    gender->setCurrentIndex(fields.gender == kFemale ? 1 : 0);
    setMinimumWidth(340);
}

void CNPCDlg::OnOk() {
    const NpcOutcome outcome =
        CheckNpcFields({TextOf(1064), TextOf(1065), Control<QComboBox>(1066)->currentIndex()});
    if (!outcome.error.empty()) {
        ShowError(outcome.error);
        return;
    }
    npc_ = outcome.data;
    accept();
}

}  // namespace tw
