// The main window without a mouse and through a screen reader: the names the controls are
// read by, the mnemonics of the buttons, and the keys of the command and response lists.

#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>

#include "ui/controls/enhanced_list_ctrl.h"
#include "ui/controls/enhanced_tree_ctrl.h"
#include "ui/controls/style_edit_ctrl.h"
#include "ui/main_window/control_ids.h"
#include "ui/main_window/talkwright_dlg.h"

namespace tw {
namespace {

// Each button's caption with its mnemonic. The letters avoid one another and the menu
// bar's F, E, S and H, and the "Comments:" label's C.
constexpr std::pair<int, const char*> kMnemonicCaptions[] = {
    {control_id::kExpandCollapseAll, "E&xpand/Collapse All"},
    {control_id::kEditPartySettings, "Edit &Party Settings"},
    {control_id::kTestDialogue, "&Test Dialogue"},
    {control_id::kEditNpcComments, "Edit NPC Co&mments"},
    {control_id::kEditNpcProperties, "Edit NPC P&roperties"},
    {control_id::kAddCommand, "&Add Command"},
    {control_id::kEditCommand, "Ed&it Command"},
    {control_id::kDeleteCommand, "&Delete Command"},
    {control_id::kAddResponse, "Add Respo&nse"},
    {control_id::kEditResponse, "Edit Resp&onse"},
    {control_id::kDeleteResponse, "De&lete Response"},
};

// A key that presses a button while the list has the focus; a disabled button stays
// silent, as it does for the mouse.
void BindKey(EnhancedListCtrl* list, const QKeySequence& key, QPushButton* button) {
    auto* shortcut = new QShortcut(key, list);
    shortcut->setContext(Qt::WidgetShortcut);
    QObject::connect(shortcut, &QShortcut::activated, button, [button] {
        if (button->isEnabled()) {
            button->click();
        }
    });
}

// Insert adds a row, Enter or a double-click edits the current one, Delete deletes the
// selected ones.
void BindListKeys(EnhancedListCtrl* list, QPushButton* add, QPushButton* edit,
                  QPushButton* remove) {
    BindKey(list, QKeySequence(Qt::Key_Insert), add);
    BindKey(list, QKeySequence(Qt::Key_Return), edit);
    BindKey(list, QKeySequence(Qt::Key_Enter), edit);
    BindKey(list, QKeySequence(Qt::Key_Delete), remove);
    QObject::connect(list, &QTreeWidget::itemDoubleClicked, edit, [edit] {
        if (edit->isEnabled()) {
            edit->click();
        }
    });
}

}  // namespace

void CTalkwrightDlg::SetupKeyboardAndNames() {
    tree_->setAccessibleName("Nodes");
    nodeText_->setAccessibleName("Node text");
    commands_->setAccessibleName("Commands");
    responses_->setAccessibleName("Responses");
    tabs_->setAccessibleName("Dialogues");
    for (auto [id, caption] : kMnemonicCaptions) {
        Button(id)->setText(caption);
    }
    BindListKeys(commands_, Button(control_id::kAddCommand), Button(control_id::kEditCommand),
                 Button(control_id::kDeleteCommand));
    BindListKeys(responses_, Button(control_id::kAddResponse), Button(control_id::kEditResponse),
                 Button(control_id::kDeleteResponse));
}

}  // namespace tw
