// Where the node editor's rows lead, and showing a row or a text match of the shown node.

#include <QTextCursor>

#include "model/check/dialogue_references.h"
#include "model/dialogue.h"
#include "model/search/dialogue_search.h"
#include "ui/controls/enhanced_list_ctrl.h"
#include "ui/controls/style_edit_ctrl.h"
#include "ui/document/editor_document.h"
#include "ui/platform/text_codec.h"
#include "ui/views/node_editor.h"

namespace tw {

std::int32_t NodeEditor::LinkedNodeId() {
    DialogueNode* node = ListedNode();
    if (node == nullptr) {
        return kNoNodeId;
    }
    const bool responseFirst = responses_->hasFocus() && responses_->SelectedRow() >= 0;
    const ItemKind item =
        responseFirst || commands_->SelectedRow() < 0 ? ItemKind::Response : ItemKind::Command;
    const int row =
        item == ItemKind::Command ? commands_->SelectedRow() : responses_->SelectedRow();
    if (row < 0) {
        return kNoNodeId;
    }
    for (const NodeReference& reference : DialogueReferences::OfRow(
             document_->GetDialogue(), *node, item, static_cast<std::size_t>(row))) {
        if (reference.resolved != nullptr) {
            return reference.resolved->GetId();
        }
    }
    return kNoNodeId;
}

bool NodeEditor::SelectRow(ItemKind item, std::size_t index) {
    EnhancedListCtrl* list = item == ItemKind::Response ? responses_ : commands_;
    if (item == ItemKind::Node || static_cast<int>(index) >= list->RowCount()) {
        return false;
    }
    list->SelectRow(static_cast<int>(index));
    list->setFocus();
    return true;
}

// The box shows the same plain text the search read; the match is found again there by its
// line, so line ends of either kind do not shift it.
void NodeEditor::ShowMatch(const SearchMatch& match) {
    const auto row = match.row;
    switch (match.field) {
        case SearchField::kCommandText:
        case SearchField::kCommandCondition:
            commands_->SelectRow(static_cast<int>(row));
            return;
        case SearchField::kResponseTag:
        case SearchField::kResponseText:
        case SearchField::kResponseTarget:
        case SearchField::kResponseCondition:
            responses_->SelectRow(static_cast<int>(row));
            return;
        case SearchField::kNodeText:
            break;
        default:
            return;
    }
    const QString text = text_->toPlainText();
    const int lineAt = text.indexOf(FromBytes(match.line));
    if (lineAt < 0) {
        return;
    }
    QTextCursor cursor(text_->document());
    cursor.setPosition(lineAt + FromBytes(match.line.substr(0, match.offset)).size());
    cursor.setPosition(
        cursor.position() + FromBytes(match.line.substr(match.offset, match.length)).size(),
        QTextCursor::KeepAnchor);
    text_->setTextCursor(cursor);
}

}  // namespace tw
