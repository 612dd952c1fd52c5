// The node editor's buttons: commands and responses added, edited and deleted through their
// dialogs. Each dialog works on a copy; its result goes to the document as one step.

#include <QPushButton>

#include "model/dialogue.h"
#include "model/editing/dialogue_names.h"
#include "model/editing/response_dialog_rules.h"
#include "model/element_copy.h"
#include "ui/controls/enhanced_list_ctrl.h"
#include "ui/dialogs/command_dlg.h"
#include "ui/dialogs/response_dlg.h"
#include "ui/document/editor_document.h"
#include "ui/platform/platform_services.h"
#include "ui/platform/text_codec.h"
#include "ui/views/node_editor.h"

namespace tw {
namespace {

ResponseContext ContextOf(Dialogue& document) {
    ResponseContext context;
    context.dialogue = &document;
    document.CollectResponseTags(context.tags);
    context.nodeNames = NodeNamesOf(document);
    return context;
}

bool SameRecord(const NodeResponse& a, const NodeResponse& b) {
    const NodeResponse* first[] = {&a};
    const NodeResponse* second[] = {&b};
    return NodeResponseList::Serialize(first) == NodeResponseList::Serialize(second);
}

std::size_t IndexOf(const DialogueNode& node, const NodeResponse* response) {
    std::size_t at = 0;
    while (at < node.Responses().size() && node.Responses()[at].get() != response) {
        ++at;
    }
    return at;
}

}  // namespace

int NodeEditor::SingleSelectedRow(const EnhancedListCtrl& list) {
    if (list.selectedItems().size() != 1) {
        services_.ShowMessage(MessageKind::kError, "Error",
                              "Please select exactly one item in the list.", MessageButtons::kOk);
        return -1;
    }
    return list.SelectedRow();
}

void NodeEditor::AddCommand() {
    DialogueNode* node = ListedNode();
    if (node == nullptr) {
        return;
    }
    CCommandDlg dialog(services_, nullptr, CollectDialogueNames(document_->GetDialogue()),
                       commands_);
    dialog.SetDialogRunner(runDialog_);
    if (runDialog_(dialog) != QDialog::Accepted) {
        return;
    }
    if (std::unique_ptr<NodeCommand> command = dialog.TakeCommand()) {
        EditorDocument::Commands added;
        added.push_back(std::move(command));
        document_->AppendCommands(node->GetId(), std::move(added), "Add Command");
    }
}

void NodeEditor::EditCommand() {
    DialogueNode* node = ListedNode();
    const int row = SingleSelectedRow(*commands_);
    if (node == nullptr || row < 0 || row >= static_cast<int>(node->Commands().size())) {
        return;
    }
    const NodeCommand* old = node->Commands()[static_cast<std::size_t>(row)].get();
    CCommandDlg dialog(services_, old, CollectDialogueNames(document_->GetDialogue()), commands_);
    dialog.SetDialogRunner(runDialog_);
    if (runDialog_(dialog) != QDialog::Accepted) {
        return;
    }
    if (std::unique_ptr<NodeCommand> command = dialog.TakeCommand()) {
        document_->ReplaceCommand(node->GetId(), static_cast<std::size_t>(row), std::move(command),
                                  "Edit Command");
        commands_->SelectRow(row);
    }
}

void NodeEditor::AddResponse() {
    DialogueNode* node = ListedNode();
    if (node == nullptr) {
        return;
    }
    CResponseDlg dialog(services_, nullptr, ContextOf(document_->GetDialogue()), responses_);
    dialog.SetDialogRunner(runDialog_);
    if (runDialog_(dialog) != QDialog::Accepted) {
        return;
    }
    if (std::unique_ptr<NodeResponse> response = dialog.TakeCreated()) {
        EditorDocument::Responses added;
        added.push_back(std::move(response));
        document_->AppendResponses(node->GetId(), std::move(added), "Add Response");
    }
}

// The row is found by its tag, as the dialog's rules find responses.
void NodeEditor::EditResponse() {
    DialogueNode* node = ListedNode();
    const int row = SingleSelectedRow(*responses_);
    if (node == nullptr || row < 0) {
        return;
    }
    NodeResponse* response = FindResponseOfRow(*node, ToBytes(responses_->ItemText(row, 0)));
    std::unique_ptr<NodeResponse> edited = response ? CopyResponse(*response) : nullptr;
    if (edited == nullptr) {
        return;
    }
    CResponseDlg dialog(services_, edited.get(), ContextOf(document_->GetDialogue()), responses_);
    dialog.SetDialogRunner(runDialog_);
    if (runDialog_(dialog) != QDialog::Accepted || SameRecord(*edited, *response)) {
        return;
    }
    document_->ReplaceResponse(node->GetId(), IndexOf(*node, response), std::move(edited),
                               "Edit Response");
    responses_->SelectRow(row);
}

void NodeEditor::DeleteCommands() {
    RemoveSelectedCommands("Delete Command");
}

void NodeEditor::DeleteResponses() {
    RemoveSelectedResponses("Delete Response");
}

// Commands are found by row position.
std::vector<std::size_t> NodeEditor::SelectedCommandIndices() const {
    std::vector<std::size_t> indices;
    for (QTreeWidgetItem* item : commands_->selectedItems()) {
        indices.push_back(static_cast<std::size_t>(commands_->indexOfTopLevelItem(item)));
    }
    std::sort(indices.begin(), indices.end());
    return indices;
}

// Responses are found by the text of their row's "Tag" cell.
std::vector<std::size_t> NodeEditor::SelectedResponseIndices() {
    std::vector<std::size_t> indices;
    DialogueNode* node = ListedNode();
    if (node == nullptr) {
        return indices;
    }
    for (QTreeWidgetItem* item : responses_->selectedItems()) {
        const NodeResponse* found = FindResponseOfRow(*node, ToBytes(item->text(0)));
        const std::size_t at = IndexOf(*node, found);
        if (found != nullptr && at < node->Responses().size()) {
            indices.push_back(at);
        }
    }
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    return indices;
}

void NodeEditor::RemoveSelectedCommands(const QString& stepName) {
    if (DialogueNode* node = ListedNode()) {
        document_->RemoveCommands(node->GetId(), SelectedCommandIndices(), stepName);
    }
}

void NodeEditor::RemoveSelectedResponses(const QString& stepName) {
    if (DialogueNode* node = ListedNode()) {
        document_->RemoveResponses(node->GetId(), SelectedResponseIndices(), stepName);
    }
}

}  // namespace tw
