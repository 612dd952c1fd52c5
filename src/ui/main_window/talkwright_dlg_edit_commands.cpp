// The main window's editing buttons: commands, responses, NPC comments and properties, and
// the About box. Each opens its dialog and applies the result to the current document.

#include <QPushButton>
#include <QTabBar>

#include "model/dialogue.h"
#include "model/editing/dialogue_names.h"
#include "model/editing/response_dialog_rules.h"
#include "ui/controls/enhanced_list_ctrl.h"
#include "ui/dialogs/about_dlg.h"
#include "ui/dialogs/command_dlg.h"
#include "ui/dialogs/comments_dlg.h"
#include "ui/dialogs/npc_dlg.h"
#include "ui/dialogs/response_dlg.h"
#include "ui/main_window/node_rows.h"
#include "ui/main_window/talkwright_dlg.h"
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

void RewriteRow(EnhancedListCtrl& list, int row, const ListRow& cells) {
    for (std::size_t column = 0; column < cells.cells.size(); ++column) {
        const QString text = FromBytes(cells.cells[column]);
        list.SetItemText(row, static_cast<int>(column), text);
        list.topLevelItem(row)->setToolTip(static_cast<int>(column), text);
    }
}

}  // namespace

void CTalkwrightDlg::ConnectEditCommands() {
    const std::pair<int, void (CTalkwrightDlg::*)()> buttons[] = {
        {1008, &CTalkwrightDlg::OnAddCommand},      {1009, &CTalkwrightDlg::OnEditCommand},
        {1011, &CTalkwrightDlg::OnAddResponse},     {1012, &CTalkwrightDlg::OnEditResponse},
        {1063, &CTalkwrightDlg::OnEditNpcComments}, {1002, &CTalkwrightDlg::OnEditNpcProperties},
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
        const NodeCommand& added = node->AppendCommand(std::move(command));
        AddCommandRow(commands_->RowCount(), added);
        shownDocument_->SetModified(true);
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
        const NodeCommand& replacement = *command;
        node->ReplaceCommand(old, std::move(command));
        commands_->DeleteRow(row);
        AddCommandRow(row, replacement);
        commands_->SelectRow(row);
        shownDocument_->SetModified(true);
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
    shownDocument_->SetModified(true);
    if (std::unique_ptr<NodeResponse> response = dialog.TakeCreated()) {
        const NodeResponse& added = node->AppendResponse(std::move(response));
        AddResponseRow(responses_->RowCount(), added);
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
    CResponseDlg dialog(Services(), response, ContextOf(*shownDocument_), this);
    dialog.SetDialogRunner(runDialog_);
    if (runDialog_(dialog) == QDialog::Accepted) {
        RewriteRow(*responses_, row, ResponseRow(*response));
        shownDocument_->SetModified(true);
    }
}

void CTalkwrightDlg::OnEditNpcComments() {
    Dialogue& document = documents_.Current();
    CCommentsDlg dialog(Services(), document.GetComments(), this);
    if (runDialog_(dialog) == QDialog::Accepted) {
        document.SetComments(dialog.GetComments());
        document.SetModified(true);
    }
}

void CTalkwrightDlg::OnEditNpcProperties() {
    Dialogue& document = documents_.Current();
    const NPCData before = document.Npc();
    EditNpcData(document.Npc());
    const NPCData& after = document.Npc();
    if (after.id != before.id || after.name != before.name || after.gender != before.gender) {
        document.SetModified(true);
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
