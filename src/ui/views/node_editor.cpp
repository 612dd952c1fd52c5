// The node editor's display: the current node's text, comments and lists, and what the
// writer types and drags in them, written back through the document.

#include "ui/views/node_editor.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextDocument>
#include <limits>

#include "model/dialogue.h"
#include "model/element_copy.h"
#include "ui/controls/command_icons.h"
#include "ui/controls/enhanced_list_ctrl.h"
#include "ui/controls/shown_label.h"
#include "ui/controls/style_edit_ctrl.h"
#include "ui/document/editor_document.h"
#include "ui/platform/text_codec.h"
#include "ui/views/control_ids.h"
#include "ui/views/large_paste.h"
#include "ui/views/node_rows.h"

namespace tw {
namespace {

const QColor kNoNodeBackground(255, 0, 0);

// Sets a flag for the life of the scope.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = previous_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
    bool previous_;
};

// The widths were chosen for a smaller font than today's: a column is never narrower than
// its title.
void AddColumn(EnhancedListCtrl& list, const QString& title, int width) {
    constexpr int kTitlePadding = 16;
    list.AddColumn(title,
                   std::max(width, list.fontMetrics().horizontalAdvance(title) + kTitlePadding));
}

// Each cell also tells more of its text when the pointer rests on it, for texts wider than
// their column.
void FillRow(EnhancedListCtrl& list, int index, const ListRow& row) {
    const int at = list.InsertRow(index, FromBytes(row.cells.front()), row.image);
    QTreeWidgetItem* item = list.topLevelItem(at);
    for (std::size_t column = 0; column < row.cells.size(); ++column) {
        list.SetItemText(at, static_cast<int>(column), FromBytes(row.cells[column]));
        item->setToolTip(static_cast<int>(column), ShownToolTip(row.cells[column]));
    }
}

// A key that presses a button while the list has the focus; a disabled button stays silent,
// as it does for the mouse.
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
void BindListKeys(EnhancedListCtrl* list, const std::vector<QPushButton*>& buttons) {
    QPushButton* edit = buttons[1];
    BindKey(list, QKeySequence(Qt::Key_Insert), buttons[0]);
    BindKey(list, QKeySequence(Qt::Key_Return), edit);
    BindKey(list, QKeySequence(Qt::Key_Enter), edit);
    BindKey(list, QKeySequence(Qt::Key_Delete), buttons[2]);
    QObject::connect(list, &QTreeWidget::itemDoubleClicked, edit, [edit] {
        if (edit->isEnabled()) {
            edit->click();
        }
    });
}

// The text boxes keep Ctrl+Z and Ctrl+Y for their own undo; the document's history takes them
// instead, so that one key undoes the writer's last change wherever it was made.
class UndoKeysToWindow : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
                key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y)) {
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

NodeEditor::NodeEditor(PlatformServices& services, const DialogRunner& runDialog, QWidget* parent)
    : QObject(parent), services_(services), runDialog_(runDialog) {
    MakeWidgets(parent);
    MakeButtons(parent);
    BindKeys();
    ConnectControls();
    EnableNode(false);
}

void NodeEditor::MakeWidgets(QWidget* parent) {
    text_ = new CStyleEditCtrl(parent);
    text_->Init();
    text_->setObjectName("nodeText");
    text_->setAccessibleName("Node text");
    text_->setUndoRedoEnabled(false);  // the document's history undoes the writer's typing
    comments_ = new QLineEdit(parent);
    comments_->setObjectName("comments");
    comments_->setAccessibleName("Comments");
    // The whole comment, however long: a box that cut it short would store the cut text
    // back at the first keystroke.
    comments_->setMaxLength(std::numeric_limits<int>::max());
    auto* keys = new UndoKeysToWindow(this);
    text_->installEventFilter(keys);
    comments_->installEventFilter(keys);
    commands_ = new EnhancedListCtrl(parent);
    commands_->setObjectName("commands");
    commands_->setAccessibleName("Commands");
    AddColumn(*commands_, "Command", 85);
    AddColumn(*commands_, "String", 260);
    AddColumn(*commands_, "Condition", 140);
    responses_ = new EnhancedListCtrl(parent);
    responses_->setObjectName("responses");
    responses_->setAccessibleName("Responses");
    for (auto [title, width] : {std::pair{"Tag", 70},
                                {"Type", 40},
                                {"Response", 95},
                                {"Goto Node", 64},
                                {"Condition", 140}}) {
        AddColumn(*responses_, title, width);
    }
    responses_->SetColumnEditable(2, true);
    responses_->SetLabelEditing(true);
    for (EnhancedListCtrl* list : {commands_, responses_}) {
        list->SetImageList(CommandIcons());
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        list->setAlternatingRowColors(true);
        list->setContextMenuPolicy(Qt::CustomContextMenu);
    }
}

// Each caption carries its mnemonic; the letters avoid the window's others.
void NodeEditor::MakeButtons(QWidget* parent) {
    struct Button {
        int id;
        const char* caption;
        void (NodeEditor::*run)();
        std::vector<QPushButton*>* row;
    };
    const Button buttons[] = {
        {control_id::kAddCommand, "&Add Command", &NodeEditor::AddCommand, &commandButtons_},
        {control_id::kEditCommand, "Ed&it Command", &NodeEditor::EditCommand, &commandButtons_},
        {control_id::kDeleteCommand, "&Delete Command", &NodeEditor::DeleteCommands,
         &commandButtons_},
        {control_id::kAddResponse, "Add Respo&nse", &NodeEditor::AddResponse, &responseButtons_},
        {control_id::kEditResponse, "Edit Resp&onse", &NodeEditor::EditResponse, &responseButtons_},
        {control_id::kDeleteResponse, "De&lete Response", &NodeEditor::DeleteResponses,
         &responseButtons_},
    };
    for (const Button& button : buttons) {
        auto* made = new QPushButton(button.caption, parent);
        made->setAutoDefault(false);  // Enter does nothing in the window
        made->setObjectName(QString("button%1").arg(button.id));
        connect(made, &QPushButton::clicked, this, button.run);
        button.row->push_back(made);
    }
}

// Ctrl+X, Ctrl+C and Ctrl+V in a list act on that list's kind only.
void NodeEditor::BindKeys() {
    BindListKeys(commands_, commandButtons_);
    BindListKeys(responses_, responseButtons_);
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
}

// The controls know nothing of dialogues: these callbacks keep the document in step.
void NodeEditor::ConnectControls() {
    commands_->SetMoveHandler([this](int from, int to, EnhancedListCtrl&) {
        if (DialogueNode* node = ListedNode(); node && from >= 0 && to >= 0) {
            Write([&] {
                document_->MoveCommand(node->GetId(), static_cast<std::size_t>(from),
                                       static_cast<std::size_t>(to));
            });
        }
    });
    responses_->SetMoveHandler([this](int from, int to, EnhancedListCtrl&) {
        if (DialogueNode* node = ListedNode(); node && from >= 0 && to >= 0) {
            Write([&] {
                document_->MoveResponse(node->GetId(), static_cast<std::size_t>(from),
                                        static_cast<std::size_t>(to));
            });
        }
    });
    responses_->SetEditHandler(
        [this](int row, int, QString& text, EnhancedListCtrl&) { OnResponseEdited(row, text); });
    text_->SetChangeHandler([this] { WriteBackText(); });
    text_->SetRightButtonHandler([this] { emit editMenuRequested(); });
    text_->installEventFilter(new PasteKeyCheck(services_, this));
    comments_->installEventFilter(new PasteKeyCheck(services_, this));
    connect(comments_, &QLineEdit::textChanged, this, [this] { WriteBackComments(); });
    for (EnhancedListCtrl* list : {commands_, responses_}) {
        connect(list, &QWidget::customContextMenuRequested, this,
                [this, list](const QPoint& pos) { emit listMenuRequested(*list, pos); });
    }
}

void NodeEditor::SetDocument(EditorDocument* document) {
    if (document_ != nullptr) {
        document_->disconnect(this);
    }
    document_ = document;
    if (document_ != nullptr) {
        ConnectDocument();
    }
    ShowCurrentNode();
}

void NodeEditor::ConnectDocument() {
    connect(document_, &EditorDocument::currentNodeChanged, this, [this] {
        if (!writing_) {
            ShowCurrentNode();
        }
    });
    connect(document_, &EditorDocument::nodeChanged, this,
            [this](std::int32_t id) { ShowNodeChange(id); });
    connect(document_, &EditorDocument::treeChanged, this, [this] {
        if (!writing_) {
            ShowCurrentNode();
        }
    });
}

// Only the shown node's own change is shown, and not when it came from these controls.
void NodeEditor::ShowNodeChange(std::int32_t id) {
    if (!writing_ && id == listedNodeId_) {
        ShowCurrentNode();
    }
}

template <typename Change>
void NodeEditor::Write(Change change) {
    if (document_ == nullptr) {
        return;
    }
    FlagScope writing(writing_);
    change();
}

void NodeEditor::EnableNode(bool enabled) {
    text_->setEnabled(enabled);
    if (enabled) {
        text_->ResetBackgroundColor();
    } else {
        text_->SetBackgroundColor(kNoNodeBackground);
    }
    for (QPushButton* button : responseButtons_) {
        button->setEnabled(enabled);
    }
}

void NodeEditor::ShowCurrentNode() {
    FlagScope filling(filling_);
    DialogueNode* node = document_ ? document_->CurrentNode() : nullptr;
    EnableNode(node != nullptr && node->Parent() != nullptr);
    text_->clear();
    text_->Init();
    comments_->clear();
    commands_->DeleteAllRows();
    responses_->DeleteAllRows();
    listedNodeId_ = node ? node->GetId() : -1;
    comments_->setEnabled(node != nullptr);
    if (node != nullptr) {
        ShowNode(*node);
    }
    // Filling the box is no step the writer can undo.
    text_->document()->clearUndoRedoStacks();
}

void NodeEditor::ShowNode(DialogueNode& node) {
    if (node.IsTextRich()) {
        text_->SetRTF(node.GetText());
    } else {
        text_->SetRichText(RichText{TextRun{TextStyle{}, node.GetText()}});
    }
    comments_->setText(FromBytes(node.GetComments()));
    comments_->setCursorPosition(0);
    for (std::size_t i = 0; i < node.Commands().size(); ++i) {
        FillRow(*commands_, static_cast<int>(i), CommandRow(*node.Commands()[i]));
    }
    for (std::size_t i = 0; i < node.Responses().size(); ++i) {
        FillRow(*responses_, static_cast<int>(i), ResponseRow(*node.Responses()[i]));
    }
}

DialogueNode* NodeEditor::ListedNode() {
    return document_ ? document_->GetDialogue().FindNodeById(listedNodeId_) : nullptr;
}

void NodeEditor::WriteBackText() {
    DialogueNode* node = filling_ ? nullptr : document_ ? document_->CurrentNode() : nullptr;
    if (node != nullptr) {
        const std::int32_t id = node->GetId();
        Write([&] { document_->TypeNodeText(id, NodeTextValue{text_->GetRTF(), true}); });
    }
}

// Only the comments: the node text was stored as it changed, and storing it again would
// rewrite, in our own RTF, a text that another program wrote and nobody touched.
void NodeEditor::WriteBackComments() {
    DialogueNode* node = filling_ ? nullptr : document_ ? document_->CurrentNode() : nullptr;
    if (node != nullptr) {
        const std::int32_t id = node->GetId();
        Write([&] { document_->TypeComments(id, ToBytes(comments_->text())); });
    }
}

// The edit is made on a copy, which the document then puts in the original's place.
void NodeEditor::OnResponseEdited(int row, QString& text) {
    DialogueNode* node = ListedNode();
    if (node == nullptr || row < 0 || row >= static_cast<int>(node->Responses().size())) {
        return;
    }
    const auto at = static_cast<std::size_t>(row);
    std::string bytes = ToBytes(text);
    std::unique_ptr<NodeResponse> edited = CopyResponse(*node->Responses()[at]);
    if (edited != nullptr && edited->EditShownText(bytes)) {
        Write([&] {
            document_->ReplaceResponse(node->GetId(), at, std::move(edited), "Edit Response Text");
        });
    }
    text = FromBytes(bytes);
    if (QTreeWidgetItem* item = responses_->topLevelItem(row)) {
        item->setToolTip(2, ShownToolTip(bytes));
    }
}

}  // namespace tw
