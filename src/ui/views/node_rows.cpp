#include "ui/views/node_rows.h"

#include "model/node_command.h"
#include "model/node_response.h"
#include "ui/controls/command_icons.h"

namespace tw {

int CommandImageIndex(int commandType) {
    if (commandType == kCommandList) {
        return kImageBranch;
    }
    return commandType >= 0 && commandType < kCommandImageCount ? commandType : kImageManual;
}

ListRow CommandRow(const NodeCommand& command) {
    const Conditional* condition = command.GetCondition();
    return ListRow{CommandImageIndex(command.GetType()),
                   {command.GetTypeName(), command.GetText(),
                    condition ? condition->GetExpression() : std::string()}};
}

ListRow ResponseRow(const NodeResponse& response) {
    if (const auto* cut = dynamic_cast<const NodeResponseCut*>(&response)) {
        return ListRow{kImageCutResponse,
                       {"#" + cut->GetCutTag(), "CUT", cut->GetCutText(), "", ""}};
    }
    const auto& add = static_cast<const NodeResponseAdd&>(response);
    const Conditional* condition = add.GetCondition();
    return ListRow{kImageAddResponse,
                   {add.GetTag(), "ADD", add.GetPlayerText(), add.GetGotoNode(),
                    condition ? condition->GetExpression() : std::string()}};
}

}  // namespace tw
