// Following links: Go to Node on a command or response that names a node, Back and Forward
// through the selection history, and the list of everything that leads to a node. The
// references are the dialogue check's, read from the compiled statements.

#include <QAction>
#include <QMenu>
#include <QTabBar>

#include "model/check/dialogue_references.h"
#include "model/dialogue.h"
#include "model/dialogue_compile.h"
#include "ui/controls/enhanced_list_ctrl.h"
#include "ui/controls/enhanced_tree_ctrl.h"
#include "ui/main_window/links_dlg.h"
#include "ui/main_window/talkwright_dlg.h"
#include "ui/platform/text_codec.h"

namespace tw {
namespace {

QString LinkText(const NodeReference& reference) {
    const QString row = reference.item == ItemKind::Command ? "command %1" : "response %1";
    QString text = FromBytes(reference.from->Label()) + ": " + row.arg(reference.index + 1) + ": " +
                   QString::fromLatin1(ReferenceKindName(reference.kind));
    if (!reference.choice.empty()) {
        text += " \"" + FromBytes(reference.choice) + "\"";
    }
    return text;
}

}  // namespace

void CTalkwrightDlg::ConnectLinks() {
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item != nullptr && !walkingHistory_) {
            selectionHistory_.Visit(EnhancedTreeCtrl::ItemValue(item));
        }
    });
    connect(tabs_, &QTabBar::currentChanged, this, [this] { selectionHistory_.Clear(); });
    for (EnhancedListCtrl* list : {commands_, responses_}) {
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(list, &QWidget::customContextMenuRequested, this,
                [this, list](const QPoint& pos) { ShowListMenu(*list, pos); });
    }
}

void CTalkwrightDlg::AddLinkActions(QMenu& menu, bool onTree) {
    if (onTree) {
        menu.addSeparator();
        QAction* links = menu.addAction("&Links to This Node", this, [this] { OnLinksToNode(); });
        links->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F12));
        return;
    }
    menu.addAction("&Go to Node", QKeySequence(Qt::Key_F12), this, [this] { OnGoToNode(); });
    menu.addAction("&Back", QKeySequence(Qt::ALT | Qt::Key_Left), this, [this] { OnBack(); });
    menu.addAction("&Forward", QKeySequence(Qt::ALT | Qt::Key_Right), this,
                   [this] { OnForward(); });
    menu.addAction("&Links to This Node", QKeySequence(Qt::SHIFT | Qt::Key_F12), this,
                   [this] { OnLinksToNode(); });
}

void CTalkwrightDlg::ShowListMenu(EnhancedListCtrl& list, const QPoint& pos) {
    if (QTreeWidgetItem* hit = list.itemAt(pos)) {
        list.setCurrentItem(hit);
    }
    QMenu menu(this);
    menu.addAction("&Go to Node", QKeySequence(Qt::Key_F12), this, [this] { OnGoToNode(); });
    menu.exec(list.viewport()->mapToGlobal(pos));
}

void CTalkwrightDlg::SelectNodeRow(std::int32_t nodeId, ItemKind item, std::size_t index) {
    if (ItemOfNode(nodeId) == nullptr) {
        return;
    }
    SelectNodeItem(nodeId);
    EnhancedListCtrl* list = item == ItemKind::Response ? responses_ : commands_;
    if (item != ItemKind::Node && static_cast<int>(index) < list->RowCount()) {
        list->SelectRow(static_cast<int>(index));
        list->setFocus();
    } else {
        tree_->setFocus();
    }
}

// The row that has the focus, else the selected command, else the selected response.
void CTalkwrightDlg::OnGoToNode() {
    DialogueNode* node = ListedNode();
    if (node == nullptr) {
        return;
    }
    const bool responseFirst = responses_->hasFocus() && responses_->SelectedRow() >= 0;
    const ItemKind item =
        responseFirst || commands_->SelectedRow() < 0 ? ItemKind::Response : ItemKind::Command;
    const int row =
        item == ItemKind::Command ? commands_->SelectedRow() : responses_->SelectedRow();
    if (row < 0) {
        return;
    }
    for (const NodeReference& reference : DialogueReferences::OfRow(
             documents_.Current(), *node, item, static_cast<std::size_t>(row))) {
        if (reference.resolved != nullptr) {
            SelectNodeRow(reference.resolved->GetId(), ItemKind::Node, 0);
            return;
        }
    }
}

void CTalkwrightDlg::OnBack() {
    walkingHistory_ = true;
    if (const auto id = selectionHistory_.Back()) {
        SelectNodeRow(*id, ItemKind::Node, 0);
    }
    walkingHistory_ = false;
}

void CTalkwrightDlg::OnForward() {
    walkingHistory_ = true;
    if (const auto id = selectionHistory_.Forward()) {
        SelectNodeRow(*id, ItemKind::Node, 0);
    }
    walkingHistory_ = false;
}

void CTalkwrightDlg::OnLinksToNode() {
    DialogueNode* node = SelectedNode();
    if (node == nullptr) {
        return;
    }
    Dialogue& document = documents_.Current();
    CompileDialogue(document);
    const DialogueReferences references(document);
    const std::vector<const NodeReference*> links = references.To(*node);
    QStringList texts;
    for (const NodeReference* link : links) {
        texts << LinkText(*link);
    }
    CLinksDlg dialog(FromBytes(node->Label()), texts, this);
    runDialog_(dialog);
    const int chosen = dialog.Chosen();
    if (chosen >= 0 && chosen < static_cast<int>(links.size())) {
        const NodeReference& link = *links[static_cast<std::size_t>(chosen)];
        SelectNodeRow(link.from->GetId(), link.item, link.index);
    }
}

}  // namespace tw
