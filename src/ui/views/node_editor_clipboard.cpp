// The node editor's Edit menu and clipboard: commands and responses travel in their archive
// layouts under their own formats, plain text goes only into the node-text box.

#include <QTextCursor>
#include <QTextDocumentFragment>

#include "model/clipboard_list.h"
#include "model/dialogue.h"
#include "ui/controls/enhanced_list_ctrl.h"
#include "ui/controls/style_edit_ctrl.h"
#include "ui/document/editor_document.h"
#include "ui/platform/platform_services.h"
#include "ui/platform/text_codec.h"
#include "ui/views/large_paste.h"
#include "ui/views/node_editor.h"

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

// The elements of the list the clipboard holds in format; none when there are none, and
// none with a message box saying why when its bytes can't be read.
template <typename List>
std::optional<List> PastedList(PlatformServices& services, std::string_view format,
                               std::string_view kind) {
    const std::optional<std::string> bytes = services.GetClipboardData(format);
    if (!bytes) {
        return std::nullopt;
    }
    List list;
    if (const std::optional<std::string> reason = list.Read(*bytes)) {
        services.ShowMessage(MessageKind::kError, "Error", UnreadablePasteMessage(kind, *reason),
                             MessageButtons::kOk);
        return std::nullopt;
    }
    if (list.GetCount() == 0) {
        return std::nullopt;
    }
    return list;
}

}  // namespace

void NodeEditor::Cut() {
    if (HasSelection(*commands_)) {
        CopyCommands();
        RemoveSelectedCommands("Cut Commands");
    } else if (HasSelection(*responses_)) {
        CopyResponses();
        RemoveSelectedResponses("Cut Responses");
    } else if (text_->hasFocus() && text_->textCursor().hasSelection()) {
        Copy();
        text_->textCursor().removeSelectedText();
    }
}

void NodeEditor::Copy() {
    if (HasSelection(*commands_)) {
        CopyCommands();
    } else if (HasSelection(*responses_)) {
        CopyResponses();
    } else if (text_->hasFocus() && text_->textCursor().hasSelection()) {
        const QString text = text_->textCursor().selection().toPlainText();
        services_.SetClipboardText(ToBytes(text));
    }
}

void NodeEditor::Paste() {
    if (services_.GetClipboardData(kNodeCommandListFormat)) {
        PasteCommands();
    } else if (services_.GetClipboardData(kNodeResponseListFormat)) {
        PasteResponses();
    } else if (text_->hasFocus() && text_->isEnabled()) {
        if (std::optional<std::string> text = services_.GetClipboardText();
            text && ConfirmPaste(services_, static_cast<qsizetype>(text->size()))) {
            text_->insertPlainText(FromBytes(*text));
        }
    }
}

void NodeEditor::Delete() {
    if (HasSelection(*commands_)) {
        DeleteCommands();
    } else if (HasSelection(*responses_)) {
        DeleteResponses();
    } else if (text_->hasFocus()) {
        text_->textCursor().removeSelectedText();
    }
}

void NodeEditor::SelectAll() {
    text_->selectAll();
}

void NodeEditor::CopyCommands() {
    DialogueNode* node = ListedNode();
    const std::vector<std::size_t> indices = SelectedCommandIndices();
    if (node == nullptr || indices.empty() || indices.back() >= node->Commands().size()) {
        return;
    }
    services_.SetClipboardData(kNodeCommandListFormat,
                               NodeCommandList::Serialize(ElementsAt(node->Commands(), indices)));
}

void NodeEditor::CopyResponses() {
    DialogueNode* node = ListedNode();
    const std::vector<std::size_t> indices = SelectedResponseIndices();
    if (node == nullptr || indices.empty()) {
        return;
    }
    services_.SetClipboardData(kNodeResponseListFormat,
                               NodeResponseList::Serialize(ElementsAt(node->Responses(), indices)));
}

// Damaged clipboard bytes paste nothing, and the writer is told why.
void NodeEditor::PasteCommands() {
    DialogueNode* node = ListedNode();
    if (node == nullptr) {
        return;
    }
    if (std::optional<NodeCommandList> list =
            PastedList<NodeCommandList>(services_, kNodeCommandListFormat, "commands")) {
        document_->AppendCommands(node->GetId(), list->TakeAll(), "Paste Commands");
    }
}

void NodeEditor::PasteResponses() {
    DialogueNode* node = ListedNode();
    if (node == nullptr) {
        return;
    }
    if (std::optional<NodeResponseList> list =
            PastedList<NodeResponseList>(services_, kNodeResponseListFormat, "responses")) {
        document_->AppendResponses(node->GetId(), list->TakeAll(), "Paste Responses");
    }
}

}  // namespace tw
