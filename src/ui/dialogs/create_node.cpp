#include "ui/dialogs/create_node.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <algorithm>

#include "model/editing/node_name_rules.h"
#include "ui/platform/text_codec.h"

namespace tw {
namespace {

constexpr int kTextLength = 255;

}  // namespace

CCreateNode::CCreateNode(PlatformServices& services, std::string name, std::string description,
                         std::vector<std::string> nodeNames, const std::string& title,
                         QWidget* parent)
    : CEditingDialog(services, parent),
      name_(std::move(name)),
      description_(std::move(description)),
      nodeNames_(std::move(nodeNames)) {
    setWindowTitle(title.empty() ? QString("Create a New Node") : FromBytes(title));
    auto* form = new QFormLayout(this);
    // A name or description past the limit, from a file another tool wrote, is held whole:
    // cut, it would be stored cut at OK.
    QLineEdit* nameEdit = AddEdit(1014, std::max(kTextLength, static_cast<int>(name_.size())));
    QLineEdit* descriptionEdit =
        AddEdit(1015, std::max(kTextLength, static_cast<int>(description_.size())));
    form->addRow(AddLabel("&Name:", nameEdit), nameEdit);
    form->addRow(AddLabel("&Description:", descriptionEdit), descriptionEdit);
    form->addRow(AddOkCancel());
    SetTextOf(1014, name_);
    SetTextOf(1015, description_);
    setMinimumWidth(380);
}

void CCreateNode::OnOk() {
    const NodeNameOutcome outcome = CheckNodeName({TextOf(1014), TextOf(1015)}, name_, nodeNames_);
    if (!outcome.error.empty()) {
        ShowError(outcome.error);
        return;
    }
    name_ = outcome.accepted.name;
    description_ = outcome.accepted.description;
    accept();
}

}  // namespace tw
