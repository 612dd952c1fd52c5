#include "ui/views/node_tree_part.h"

#include <QContextMenuEvent>

#include "base/byte_string.h"
#include "model/dialogue.h"
#include "model/editing/dialogue_names.h"
#include "model/editing/tree_edit_rules.h"
#include "model/text/shown_text.h"
#include "ui/controls/enhanced_tree_ctrl.h"
#include "ui/dialogs/create_node.h"
#include "ui/document/document_manager.h"
#include "ui/platform/platform_services.h"
#include "ui/views/document_tree.h"
#include "ui/views/tree_coverage.h"

namespace tw {
namespace {

// Notes whether a tree's menu was asked for with the keyboard rather than the mouse.
class ContextMenuReason : public QObject {
public:
    explicit ContextMenuReason(QObject* parent) : QObject(parent) {}
    bool FromKeyboard() const { return keyboard_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ContextMenu) {
            keyboard_ =
                static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool keyboard_ = false;
};

// A name as a question quotes it: a message box lays out all of its text, too.
std::string Quoted(const std::string& name) {
    return ShownText(name, kLabelLimit);
}

}  // namespace

NodeTreePart::NodeTreePart(DocumentManager& documents, PlatformServices& services,
                           const DialogRunner& runDialog, QWidget* parent)
    : QStackedWidget(parent), documents_(documents), services_(services), runDialog_(runDialog) {
    for (std::size_t i = 0; i < documents_.Count(); ++i) {
        AddTree(documents_.At(i));
    }
    ShowTree(documents_.Current());
    connect(&documents_, &DocumentManager::documentAdded, this,
            [this](EditorDocument& document) { AddTree(document); });
    connect(&documents_, &DocumentManager::documentAboutToClose, this,
            [this](EditorDocument& document) { RemoveTree(document); });
    connect(&documents_, &DocumentManager::currentChanged, this,
            [this](EditorDocument& document) { ShowTree(document); });
}

DocumentTree* NodeTreePart::TreeOf(const EditorDocument& document) const {
    for (int i = 0; i < count(); ++i) {
        auto* tree = widget(i)->findChild<DocumentTree*>(QString(), Qt::FindDirectChildrenOnly);
        if (tree != nullptr && &tree->Document() == &document) {
            return tree;
        }
    }
    return nullptr;
}

void NodeTreePart::AddTree(EditorDocument& document) {
    auto* widget = new EnhancedTreeCtrl(this);
    new TreeCoverage(*new DocumentTree(document, *widget));  // owned by the widget
    widget->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* reason = new ContextMenuReason(widget);
    reason->setObjectName("nodeMenuReason");
    widget->installEventFilter(reason);
    widget->viewport()->installEventFilter(reason);
    connect(widget, &QWidget::customContextMenuRequested, this,
            [this, widget](const QPoint& pos) { OnMenuRequest(*widget, pos); });
    addWidget(widget);
}

void NodeTreePart::RemoveTree(EditorDocument& document) {
    if (DocumentTree* tree = TreeOf(document)) {
        EnhancedTreeCtrl* widget = &tree->Tree();
        removeWidget(widget);
        delete widget;
    }
}

void NodeTreePart::ShowTree(EditorDocument& document) {
    if (DocumentTree* tree = TreeOf(document)) {
        const bool hadFocus = currentWidget() != nullptr && currentWidget()->hasFocus();
        setCurrentWidget(&tree->Tree());
        setFocusProxy(&tree->Tree());
        if (hadFocus) {
            tree->Tree().setFocus();
        }
    }
}

EnhancedTreeCtrl& NodeTreePart::CurrentTree() {
    return CurrentDocumentTree().Tree();
}

DocumentTree& NodeTreePart::CurrentDocumentTree() {
    return *TreeOf(documents_.Current());
}

// The mouse picks the item under it; the menu key keeps the selection and opens the menu on
// the selected item.
void NodeTreePart::OnMenuRequest(EnhancedTreeCtrl& tree, const QPoint& pos) {
    const auto* reason = tree.findChild<ContextMenuReason*>("nodeMenuReason");
    const bool keyboard = reason != nullptr && reason->FromKeyboard();
    if (QTreeWidgetItem* hit = keyboard ? nullptr : tree.itemAt(pos)) {
        tree.setCurrentItem(hit);
    }
    QTreeWidgetItem* item = tree.currentItem();
    if (item == nullptr) {
        return;
    }
    const QPoint at = keyboard ? tree.visualItemRect(item).center() : pos;
    emit nodeMenuRequested(tree.viewport()->mapToGlobal(at));
}

DialogueNode* NodeTreePart::MovableCurrentNode() {
    EditorDocument& document = documents_.Current();
    return IsMovableNode(document.GetDialogue(), document.CurrentNodeId()) ? document.CurrentNode()
                                                                           : nullptr;
}

bool NodeTreePart::Confirm(const std::string& question) {
    return services_.ShowMessage(MessageKind::kWarning, "Warning", question,
                                 MessageButtons::kYesNo) == MessageAnswer::kYes;
}

void NodeTreePart::RenameNode() {
    DialogueNode* node = MovableCurrentNode();
    if (node == nullptr) {
        return;
    }
    EditorDocument& document = documents_.Current();
    CCreateNode dialog(services_, node->GetName(), node->GetDescription(),
                       NodeNamesOf(document.GetDialogue()), "Rename Node", this);
    if (runDialog_(dialog) != QDialog::Accepted ||
        (dialog.GetName() == node->GetName() &&
         dialog.GetDescription() == node->GetDescription())) {
        return;
    }
    document.RenameNode(node->GetId(), dialog.GetName(), dialog.GetDescription(),
                        LinksToCarry(node->GetName(), dialog.GetName()));
}

// The rows that lead to the old name, rebuilt for the new one, when the writer wants them to
// follow the rename; none otherwise.
std::vector<RetargetedRow> NodeTreePart::LinksToCarry(const std::string& from,
                                                      const std::string& to) {
    if (EqualsNoCase(from, to)) {
        return {};  // names match without case: every link still finds the node
    }
    std::vector<RetargetedRow> links = RetargetLinks(documents_.Current().GetDialogue(), from, to);
    if (!links.empty() &&
        !Confirm(std::to_string(links.size()) + " commands and responses lead to " + Quoted(from) +
                 ". Update them to " + Quoted(to) + "?")) {
        links.clear();
    }
    return links;
}

void NodeTreePart::ClearNode() {
    DialogueNode* node = MovableCurrentNode();
    if (node != nullptr &&
        Confirm("Are you sure you want to clear node " + Quoted(node->GetName()) + "?")) {
        documents_.Current().ClearNode(node->GetId());
    }
}

void NodeTreePart::DeleteBranch() {
    DialogueNode* node = MovableCurrentNode();
    if (node != nullptr && Confirm("Are you sure you want to delete node " +
                                   Quoted(node->GetName()) + " and all of its children?")) {
        documents_.Current().DeleteBranch(node->GetId());
    }
}

void NodeTreePart::MakeRoot() {
    EditorDocument& document = documents_.Current();
    document.MakeRoot(document.CurrentNodeId());
}

void NodeTreePart::AddNewNode() {
    EditorDocument& document = documents_.Current();
    const DialogueNode* node = MovableCurrentNode();
    const std::int32_t parentId = node ? node->GetId() : kInitializationNodeId;
    if (!CanAddChild(document.GetDialogue(), parentId)) {
        services_.ShowMessage(MessageKind::kError, "Error", TooDeepToAddMessage(),
                              MessageButtons::kOk);
        return;
    }
    CCreateNode dialog(services_, {}, {}, NodeNamesOf(document.GetDialogue()), {}, this);
    if (runDialog_(dialog) != QDialog::Accepted) {
        return;
    }
    document.AddNode(parentId, dialog.GetName(), dialog.GetDescription());
    if (QTreeWidgetItem* parent = CurrentDocumentTree().ItemOfNode(parentId);
        parent && parentId != kInitializationNodeId) {
        parent->setExpanded(true);
    }
}

void NodeTreePart::SortAll(bool ascending) {
    documents_.Current().SortBranch(kInitializationNodeId, ascending);
}

void NodeTreePart::SortBranch(bool ascending) {
    EditorDocument& document = documents_.Current();
    if (document.CurrentNode() != nullptr) {
        document.SortBranch(document.CurrentNodeId(), ascending);
    }
}

void NodeTreePart::ExpandCollapseAll() {
    CurrentDocumentTree().ExpandCollapseAll();
}

}  // namespace tw
