// The main window's editing buttons: commands, responses, NPC comments and properties, and
// the About box. Each opens its dialog and applies the result to the current document.

#include <QPushButton>
#include <QTabBar>

#include "model/dialogue.h"
#include "model/editing/dialogue_names.h"
#include "model/editing/response_dialog_rules.h"
#include "model/element_copy.h"
#include "ui/controls/enhanced_list_ctrl.h"
#include "ui/dialogs/about_dlg.h"
#include "ui/dialogs/command_dlg.h"
#include "ui/dialogs/comments_dlg.h"
#include "ui/dialogs/npc_dlg.h"
#include "ui/dialogs/response_dlg.h"
#include "ui/main_window/node_rows.h"
#include "ui/main_window/talkwright_dlg.h"
#include "ui/main_window/undo/list_steps.h"
#include "ui/main_window/undo/text_steps.h"
#include "ui/platform/platform_services.h"
#include "ui/platform/text_codec.h"

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

void CTalkwrightDlg::ConnectEditCommands() {
    const std::pair<int, void (CTalkwrightDlg::*)()> buttons[] = {
        {1010, &CTalkwrightDlg::OnDeleteCommand},     {1013, &CTalkwrightDlg::OnDeleteResponse},
        {1117, &CTalkwrightDlg::OnExpandCollapseAll}, {1008, &CTalkwrightDlg::OnAddCommand},
        {1009, &CTalkwrightDlg::OnEditCommand},       {1011, &CTalkwrightDlg::OnAddResponse},
        {1012, &CTalkwrightDlg::OnEditResponse},      {1063, &CTalkwrightDlg::OnEditNpcComments},
        {1002, &CTalkwrightDlg::OnEditNpcProperties},
    };
    for (const auto& [id, handler] : buttons) {
        connect(Button(id), &QPushButton::clicked, this, handler);
    }
    editNpcData_ = [this](NPCData& npc) { EditNpcData(npc); };
}

int CTalkwrightDlg::SingleSelectedRow(const EnhancedListCtrl& list) {
    if (list.selectedItems().size() != 1) {
        Services().ShowMessage(MessageKind::kError, "Error",
                               "Please select exactly one item in the list.", MessageButtons::kOk);
        return -1;
    }
    return list.SelectedRow();
}

void CTalkwrightDlg::OnAddCommand() {
    DialogueNode* node = ListedNode();
    if (node == nullptr) {
        return;
    }
    CCommandDlg dialog(Services(), nullptr, CollectDialogueNames(*shownDocument_), this);
    dialog.SetDialogRunner(runDialog_);
    if (runDialog_(dialog) != QDialog::Accepted) {
        return;
    }
    if (std::unique_ptr<NodeCommand> command = dialog.TakeCommand()) {
        AppendCommandsStep::Elements added;
        added.push_back(std::move(command));
        Apply(new AppendCommandsStep(*shownDocument_, history_.Update(), "Add Command",
                                     node->GetId(), std::move(added)));
    }
}

void CTalkwrightDlg::OnEditCommand() {
    DialogueNode* node = ListedNode();
    const int row = SingleSelectedRow(*commands_);
    if (node == nullptr || row < 0 || row >= static_cast<int>(node->Commands().size())) {
        return;
    }
    const NodeCommand* old = node->Commands()[static_cast<std::size_t>(row)].get();
    CCommandDlg dialog(Services(), old, CollectDialogueNames(*shownDocument_), this);
    dialog.SetDialogRunner(runDialog_);
    if (runDialog_(dialog) != QDialog::Accepted) {
        return;
    }
    if (std::unique_ptr<NodeCommand> command = dialog.TakeCommand()) {
        Apply(new ReplaceCommandStep(*shownDocument_, history_.Update(), "Edit Command",
                                     node->GetId(), static_cast<std::size_t>(row),
                                     std::move(command)));
        commands_->SelectRow(row);
    }
}

void CTalkwrightDlg::OnAddResponse() {
    DialogueNode* node = ListedNode();
    if (node == nullptr) {
        return;
    }
    CResponseDlg dialog(Services(), nullptr, ContextOf(*shownDocument_), this);
    dialog.SetDialogRunner(runDialog_);
    if (runDialog_(dialog) != QDialog::Accepted) {
        return;
    }
    if (std::unique_ptr<NodeResponse> response = dialog.TakeCreated()) {
        AppendResponsesStep::Elements added;
        added.push_back(std::move(response));
        Apply(new AppendResponsesStep(*shownDocument_, history_.Update(), "Add Response",
                                      node->GetId(), std::move(added)));
    }
}

void CTalkwrightDlg::OnEditResponse() {
    DialogueNode* node = ListedNode();
    const int row = SingleSelectedRow(*responses_);
    if (node == nullptr || row < 0) {
        return;
    }
    NodeResponse* response = FindResponseOfRow(*node, ToBytes(responses_->ItemText(row, 0)));
    if (response == nullptr) {
        return;
    }
    // The dialog edits the response in place; the step then holds the copy taken before.
    std::unique_ptr<NodeResponse> before = CopyResponse(*response);
    CResponseDlg dialog(Services(), response, ContextOf(*shownDocument_), this);
    dialog.SetDialogRunner(runDialog_);
    if (runDialog_(dialog) != QDialog::Accepted || before == nullptr ||
        SameRecord(*before, *response)) {
        return;
    }
    const std::size_t at = IndexOf(*node, response);
    std::unique_ptr<NodeResponse> edited = node->ReplaceResponseAt(at, std::move(before));
    Apply(new ReplaceResponseStep(*shownDocument_, history_.Update(), "Edit Response",
                                  node->GetId(), at, std::move(edited)));
    responses_->SelectRow(row);
}

void CTalkwrightDlg::OnEditNpcComments() {
    Dialogue& document = documents_.Current();
    CCommentsDlg dialog(Services(), document.GetComments(), this);
    if (runDialog_(dialog) == QDialog::Accepted && dialog.GetComments() != document.GetComments()) {
        Apply(new NpcCommentsStep(document, history_.Update(), document.GetComments(),
                                  dialog.GetComments()));
    }
}

void CTalkwrightDlg::OnEditNpcProperties() {
    Dialogue& document = documents_.Current();
    const NPCData before = document.Npc();
    EditNpcData(document.Npc());
    const NPCData after = document.Npc();
    if (after.id != before.id || after.name != before.name || after.gender != before.gender) {
        document.Npc() = before;
        Apply(new NpcDataStep(document, history_.Update(), before, after));
    }
    // Whatever the answer, the tab and the NPC box show the document's name.
    SyncTabs();
    RefreshTitle();
}

void CTalkwrightDlg::EditNpcData(NPCData& npc) {
    CNPCDlg dialog(Services(), npc, this);
    runDialog_(dialog);
}

void CTalkwrightDlg::OnAbout() {
    CAboutDlg dialog(this);
    runDialog_(dialog);
}

}  // namespace tw
