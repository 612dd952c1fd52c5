// The Edit menu and the clipboard: commands and responses travel in their archive layouts
// under their own formats, plain text goes only into the node-text box.

#include <QMenu>
#include <QShortcut>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <algorithm>

#include "model/clipboard_list.h"
#include "model/dialogue.h"
#include "model/editing/response_dialog_rules.h"
#include "ui/controls/enhanced_list_ctrl.h"
#include "ui/controls/style_edit_ctrl.h"
#include "ui/main_window/talkwright_dlg.h"
#include "ui/main_window/undo/list_steps.h"
#include "ui/platform/platform_services.h"
#include "ui/platform/text_codec.h"

namespace tw {
namespace {

bool HasSelection(const EnhancedListCtrl& list) {
    return !list.selectedItems().isEmpty();
}

template <typename Element>
std::vector<const Element*> ElementsAt(const std::vector<std::unique_ptr<Element>>& list,
                                       const std::vector<std::size_t>& indices) {
    std::vector<const Element*> elements;
    for (std::size_t at : indices) {
        elements.push_back(list[at].get());
    }
    return elements;
}

}  // namespace

// Ctrl+X, Ctrl+C and Ctrl+V in a list act on that list's kind only.
void CTalkwrightDlg::SetupListKeys() {
    const auto bind = [this](QWidget* list, QKeySequence::StandardKey key, auto handler) {
        auto* shortcut = new QShortcut(key, list);
        shortcut->setContext(Qt::WidgetShortcut);
        connect(shortcut, &QShortcut::activated, this, handler);
    };
    bind(commands_, QKeySequence::Cut, [this] {
        CopyCommands();
        RemoveSelectedCommands("Cut Commands");
    });
    bind(commands_, QKeySequence::Copy, [this] { CopyCommands(); });
    bind(commands_, QKeySequence::Paste, [this] { PasteCommands(); });
    bind(responses_, QKeySequence::Cut, [this] {
        CopyResponses();
        RemoveSelectedResponses("Cut Responses");
    });
    bind(responses_, QKeySequence::Copy, [this] { CopyResponses(); });
    bind(responses_, QKeySequence::Paste, [this] { PasteResponses(); });
    nodeText_->SetRightButtonHandler([this] { ShowNodeTextMenu(); });
}

void CTalkwrightDlg::ShowNodeTextMenu() {
    nodeText_->setFocus();
    editMenu_->popup(QCursor::pos());
}

void CTalkwrightDlg::OnCut() {
    if (HasSelection(*commands_)) {
        CopyCommands();
        RemoveSelectedCommands("Cut Commands");
    } else if (HasSelection(*responses_)) {
        CopyResponses();
        RemoveSelectedResponses("Cut Responses");
    } else if (nodeText_->hasFocus() && nodeText_->textCursor().hasSelection()) {
        OnCopy();
        nodeText_->textCursor().removeSelectedText();
    }
}

void CTalkwrightDlg::OnCopy() {
    if (HasSelection(*commands_)) {
        CopyCommands();
    } else if (HasSelection(*responses_)) {
        CopyResponses();
    } else if (nodeText_->hasFocus() && nodeText_->textCursor().hasSelection()) {
        const QString text = nodeText_->textCursor().selection().toPlainText();
        Services().SetClipboardText(ToBytes(text));
    }
}

void CTalkwrightDlg::OnPaste() {
    const std::string commandFormat(kNodeCommandListFormat);
    const std::string responseFormat(kNodeResponseListFormat);
    if (Services().GetClipboardData(commandFormat)) {
        PasteCommands();
    } else if (Services().GetClipboardData(responseFormat)) {
        PasteResponses();
    } else if (nodeText_->hasFocus() && nodeText_->isEnabled()) {
        if (std::optional<std::string> text = Services().GetClipboardText()) {
            nodeText_->insertPlainText(FromBytes(*text));
        }
    }
}

void CTalkwrightDlg::OnDelete() {
    if (HasSelection(*commands_)) {
        OnDeleteCommand();
    } else if (HasSelection(*responses_)) {
        OnDeleteResponse();
    } else if (nodeText_->hasFocus()) {
        nodeText_->textCursor().removeSelectedText();
    }
}

void CTalkwrightDlg::OnSelectAll() {
    nodeText_->selectAll();
}

void CTalkwrightDlg::OnDeleteCommand() {
    RemoveSelectedCommands("Delete Command");
}

void CTalkwrightDlg::OnDeleteResponse() {
    RemoveSelectedResponses("Delete Response");
}

// Commands are found by row position.
std::vector<std::size_t> CTalkwrightDlg::SelectedCommandIndices() const {
    std::vector<std::size_t> indices;
    for (QTreeWidgetItem* item : commands_->selectedItems()) {
        indices.push_back(static_cast<std::size_t>(commands_->indexOfTopLevelItem(item)));
    }
    std::sort(indices.begin(), indices.end());
    return indices;
}

// Responses are found by the text of their row's "Tag" cell.
std::vector<std::size_t> CTalkwrightDlg::SelectedResponseIndices() {
    std::vector<std::size_t> indices;
    DialogueNode* node = ListedNode();
    if (node == nullptr) {
        return indices;
    }
    for (QTreeWidgetItem* item : responses_->selectedItems()) {
        const NodeResponse* found = FindResponseOfRow(*node, ToBytes(item->text(0)));
        const auto& list = node->Responses();
        const auto at = std::find_if(list.begin(), list.end(),
                                     [found](const auto& held) { return held.get() == found; });
        if (found != nullptr && at != list.end()) {
            indices.push_back(static_cast<std::size_t>(at - list.begin()));
        }
    }
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    return indices;
}

void CTalkwrightDlg::RemoveSelectedCommands(const QString& stepName) {
    DialogueNode* node = ListedNode();
    std::vector<std::size_t> indices = SelectedCommandIndices();
    if (node != nullptr && !indices.empty() && indices.back() < node->Commands().size()) {
        Apply(new RemoveCommandsStep(*shownDocument_, history_.Update(), stepName, node->GetId(),
                                     std::move(indices)));
    }
}

void CTalkwrightDlg::RemoveSelectedResponses(const QString& stepName) {
    DialogueNode* node = ListedNode();
    std::vector<std::size_t> indices = SelectedResponseIndices();
    if (node != nullptr && !indices.empty()) {
        Apply(new RemoveResponsesStep(*shownDocument_, history_.Update(), stepName, node->GetId(),
                                      std::move(indices)));
    }
}

void CTalkwrightDlg::CopyCommands() {
    DialogueNode* node = ListedNode();
    const std::vector<std::size_t> indices = SelectedCommandIndices();
    if (node == nullptr || indices.empty() || indices.back() >= node->Commands().size()) {
        return;
    }
    Services().SetClipboardData(kNodeCommandListFormat,
                                NodeCommandList::Serialize(ElementsAt(node->Commands(), indices)));
}

void CTalkwrightDlg::CopyResponses() {
    DialogueNode* node = ListedNode();
    const std::vector<std::size_t> indices = SelectedResponseIndices();
    if (node == nullptr || indices.empty()) {
        return;
    }
    Services().SetClipboardData(kNodeResponseListFormat, NodeResponseList::Serialize(ElementsAt(
                                                             node->Responses(), indices)));
}

// Damaged clipboard bytes paste nothing.
void CTalkwrightDlg::PasteCommands() {
    DialogueNode* node = ListedNode();
    const std::optional<std::string> bytes = Services().GetClipboardData(kNodeCommandListFormat);
    NodeCommandList list;
    if (node == nullptr || !bytes || !list.Parse(*bytes) || list.GetCount() == 0) {
        return;
    }
    Apply(new AppendCommandsStep(*shownDocument_, history_.Update(), "Paste Commands",
                                 node->GetId(), list.TakeAll()));
}

void CTalkwrightDlg::PasteResponses() {
    DialogueNode* node = ListedNode();
    const std::optional<std::string> bytes = Services().GetClipboardData(kNodeResponseListFormat);
    NodeResponseList list;
    if (node == nullptr || !bytes || !list.Parse(*bytes) || list.GetCount() == 0) {
        return;
    }
    Apply(new AppendResponsesStep(*shownDocument_, history_.Update(), "Paste Responses",
                                  node->GetId(), list.TakeAll()));
}

}  // namespace tw
