#include "ui/main_window/link_commands.h"

#include "model/check/dialogue_references.h"
#include "model/dialogue.h"
#include "model/dialogue_compile.h"
#include "ui/controls/enhanced_tree_ctrl.h"
#include "ui/controls/shown_label.h"
#include "ui/document/document_manager.h"
#include "ui/views/links_dlg.h"
#include "ui/views/node_editor.h"
#include "ui/views/node_tree_part.h"

namespace tw {
namespace {

QString LinkText(const NodeReference& reference) {
    const QString row = reference.item == ItemKind::Command ? "command %1" : "response %1";
    QString text = ShownLabel(reference.from->Label()) + ": " + row.arg(reference.index + 1) +
                   ": " + QString::fromLatin1(ReferenceKindName(reference.kind));
    if (!reference.choice.empty()) {
        text += " \"" + ShownLabel(reference.choice) + "\"";
    }
    return text;
}

}  // namespace

LinkCommands::LinkCommands(DocumentManager& documents, NodeTreePart& trees, NodeEditor& editor,
                           const DialogRunner& runDialog, QWidget& window)
    : QObject(&window),
      documents_(documents),
      trees_(trees),
      editor_(editor),
      runDialog_(runDialog),
      window_(window) {}

void LinkCommands::GoToNode() {
    const std::int32_t id = editor_.LinkedNodeId();
    if (id != kNoNodeId) {
        SelectNodeRow(id, ItemKind::Node, 0);
    }
}

void LinkCommands::Step(bool back) {
    EditorDocument& document = documents_.Current();
    if (back ? document.GoBack() : document.GoForward()) {
        trees_.CurrentTree().setFocus();
    }
}

void LinkCommands::ShowLinksToNode() {
    EditorDocument& document = documents_.Current();
    DialogueNode* node = document.CurrentNode();
    if (node == nullptr) {
        return;
    }
    Dialogue& dialogue = document.GetDialogue();
    CompileDialogue(dialogue);
    const DialogueReferences references(dialogue);
    const std::vector<const NodeReference*> links = references.To(*node);
    QStringList texts;
    for (const NodeReference* link : links) {
        texts << LinkText(*link);
    }
    CLinksDlg dialog(ShownLabel(node->Label()), texts, &window_);
    runDialog_(dialog);
    const int chosen = dialog.Chosen();
    if (chosen >= 0 && chosen < static_cast<int>(links.size())) {
        const NodeReference& link = *links[static_cast<std::size_t>(chosen)];
        SelectNodeRow(link.from->GetId(), link.item, link.index);
    }
}

void LinkCommands::SelectNodeRow(std::int32_t nodeId, ItemKind item, std::size_t index) {
    EditorDocument& document = documents_.Current();
    if (document.GetDialogue().FindNodeById(nodeId) == nullptr) {
        return;
    }
    document.SetCurrentNode(nodeId);
    if (!editor_.SelectRow(item, index)) {
        trees_.CurrentTree().setFocus();
    }
}

void LinkCommands::ShowMatch(EditorDocument& document, std::int32_t nodeId,
                             const SearchMatch& match) {
    if (std::optional<std::size_t> index = documents_.IndexOf(document)) {
        documents_.SetCurrent(*index);
    }
    document.SetCurrentNode(nodeId);
    editor_.ShowMatch(match);
}

}  // namespace tw
