// The main window's layout and the wiring between its parts and the documents.

#include "ui/main_window/talkwright_dlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabBar>
#include <QVBoxLayout>

#include "ui/controls/enhanced_list_ctrl.h"
#include "ui/controls/enhanced_tree_ctrl.h"
#include "ui/controls/read_only_field.h"
#include "ui/controls/shown_label.h"
#include "ui/controls/style_edit_ctrl.h"
#include "ui/dialogs/program_icon.h"
#include "ui/main_window/explore_command.h"
#include "ui/main_window/splitter_memory.h"
#include "ui/platform/text_codec.h"
#include "ui/views/control_ids.h"
#include "ui/views/find_bar.h"
#include "ui/views/find_part.h"
#include "ui/views/map/map_view.h"
#include "ui/views/node_editor.h"
#include "ui/views/node_tree_part.h"
#include "ui/views/problems_view.h"

namespace tw {
namespace {

constexpr int kCreationWidth = 1000;
constexpr int kCreationHeight = 660;
constexpr int kListColumnWidth = 440;
constexpr int kTreeHeight = 220;
constexpr const char* kHalvesKey = "Halves";
constexpr const char* kPanesKey = "Panes";

QHBoxLayout* ButtonRow(const std::vector<QPushButton*>& buttons) {
    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    for (QPushButton* button : buttons) {
        row->addWidget(button);
    }
    row->addStretch(1);
    return row;
}

}  // namespace

CTalkwrightDlg::CTalkwrightDlg(PlatformServices& services, QWidget* parent)
    : CResizingDialog(kTemplateId, services, parent), files_(services), recent_(services) {
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    SetupLayout();
    ConnectParts();
    resize(kCreationWidth, kCreationHeight);
    InitDialog();
    RestoreSplitters();
    ShowCurrentDocument();
    files_.RestoreWorkingDirectory();
}

CTalkwrightDlg::~CTalkwrightDlg() {
    documents_.disconnect(this);
}

QPushButton* CTalkwrightDlg::MakeButton(int id, const QString& caption) {
    auto* button = new QPushButton(caption, this);
    button->setAutoDefault(false);  // Enter does nothing in this window
    button->setObjectName(QString("button%1").arg(id));
    buttons_[id] = button;
    return button;
}

// Each caption carries its mnemonic: the letters avoid one another, the menu bar's and the
// node editor's.
QWidget* CTalkwrightDlg::SetupTopRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    auto* label = new QLabel("NPC:", row);
    npcName_ = new QLineEdit(row);
    npcName_->setObjectName("npcName");
    npcName_->setAccessibleName("NPC");
    SetReadOnlyField(npcName_, true);
    label->setBuddy(npcName_);
    layout->addWidget(label);
    layout->addWidget(npcName_, 1);
    layout->addSpacing(12);
    const std::pair<int, const char*> buttons[] = {
        {control_id::kExpandCollapseAll, "E&xpand/Collapse All"},
        {control_id::kEditPartySettings, "Edit &Party Settings"},
        {control_id::kTestDialogue, "&Test Dialogue"},
        {control_id::kEditNpcComments, "Edit NPC Co&mments"},
        {control_id::kEditNpcProperties, "Edit NPC P&roperties"}};
    for (auto [id, caption] : buttons) {
        layout->addWidget(MakeButton(id, caption));
    }
    return row;
}

// The tree keeps its height when the window grows; the node text takes the rest. The
// splitter lets the writer trade one for the other.
QWidget* CTalkwrightDlg::SetupNodeColumn() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* splitter = new QSplitter(Qt::Vertical, column);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(SetupTreeAndMap());
    splitter->addWidget(&editor_->Text());
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({kTreeHeight, 200});
    layout->addWidget(splitter, 1);
    auto* commentsRow = new QHBoxLayout;
    auto* label = new QLabel("&Comments:", column);
    label->setBuddy(&editor_->Comments());
    commentsRow->addWidget(label);
    commentsRow->addWidget(&editor_->Comments(), 1);
    layout->addLayout(commentsRow);
    return column;
}

QWidget* CTalkwrightDlg::SetupListColumn() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(&editor_->CommandList(), 1);
    layout->addLayout(ButtonRow(editor_->CommandButtons()));
    layout->addSpacing(6);
    layout->addWidget(&editor_->ResponseList(), 1);
    layout->addLayout(ButtonRow(editor_->ResponseButtons()));
    return column;
}

// The halves and the panes below them are split so that the writer can give the lists or
// the Problems pane more room; the window opens with the lists at their old width.
QSplitter* CTalkwrightDlg::SetupBody() {
    halves_ = new QSplitter(Qt::Horizontal, this);
    halves_->setObjectName("halvesSplitter");
    halves_->setChildrenCollapsible(false);
    halves_->addWidget(SetupNodeColumn());
    halves_->addWidget(SetupListColumn());
    halves_->setStretchFactor(0, 1);
    halves_->setStretchFactor(1, 0);
    halves_->setSizes({kCreationWidth - kListColumnWidth, kListColumnWidth});
    auto* lower = new QWidget(this);
    auto* lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    findBar_ = new FindBar(lower);
    findBar_->setObjectName("findBar");
    findBar_->hide();
    lowerLayout->addWidget(findBar_);
    problems_ = new ProblemsView(lower);
    problems_->setObjectName("problems");
    lowerLayout->addWidget(problems_, 1);
    panes_ = new QSplitter(Qt::Vertical, this);
    panes_->setObjectName("panesSplitter");
    panes_->setChildrenCollapsible(false);
    panes_->addWidget(halves_);
    panes_->addWidget(lower);
    panes_->setStretchFactor(0, 1);
    panes_->setStretchFactor(1, 0);
    panes_->setSizes({kCreationWidth, 0});  // the pane below at its least height
    return panes_;
}

void CTalkwrightDlg::SetupLayout() {
    setWindowIcon(ProgramIcon());
    trees_ = new NodeTreePart(documents_, Services(), runDialog_, this);
    editor_ = new NodeEditor(Services(), runDialog_, this);
    tabs_ = new QTabBar(this);
    tabs_->setDocumentMode(true);
    tabs_->setExpanding(false);
    tabs_->setAccessibleName("Dialogues");
    SetupActions();
    SetupMenus();
    auto* outer = new QVBoxLayout(this);
    outer->setMenuBar(menuBar_);
    outer->setContentsMargins(10, 6, 10, 10);
    outer->addWidget(tabs_);
    outer->addWidget(SetupTopRow());
    outer->addWidget(SetupBody(), 1);
    find_ = new FindPart(documents_, *findBar_);
    SetupTabOrder();
    trees_->setFocus();
}

// The controls were made part by part, which left Tab jumping between the columns; it
// follows the window's reading order instead. Each document brings its own tree, so the
// order is set again whenever another one is shown.
void CTalkwrightDlg::SetupTabOrder() {
    std::vector<QWidget*> order{tabs_, npcName_};
    for (int id :
         {control_id::kExpandCollapseAll, control_id::kEditPartySettings, control_id::kTestDialogue,
          control_id::kEditNpcComments, control_id::kEditNpcProperties}) {
        order.push_back(buttons_.at(id));
    }
    order.insert(order.end(), {&trees_->CurrentTree(), &editor_->Text(), &editor_->Comments(),
                               &editor_->CommandList()});
    order.insert(order.end(), editor_->CommandButtons().begin(), editor_->CommandButtons().end());
    order.push_back(&editor_->ResponseList());
    order.insert(order.end(), editor_->ResponseButtons().begin(), editor_->ResponseButtons().end());
    order.push_back(problems_->List());
    for (std::size_t i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void CTalkwrightDlg::RestoreSplitters() {
    const std::string section = QString::number(TemplateId(), 16).toStdString();
    RestoreSplitter(*halves_, Services(), section, kHalvesKey);
    RestoreSplitter(*panes_, Services(), section, kPanesKey);
}

void CTalkwrightDlg::SaveSplitters() {
    const std::string section = QString::number(TemplateId(), 16).toStdString();
    SaveSplitter(*halves_, Services(), section, kHalvesKey);
    SaveSplitter(*panes_, Services(), section, kPanesKey);
}

void CTalkwrightDlg::ConnectParts() {
    connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
        if (index >= 0 && index < static_cast<int>(documents_.Count())) {
            documents_.SetCurrent(static_cast<std::size_t>(index));
        }
    });
    connect(&documents_, &DocumentManager::currentChanged, this, [this] { ShowCurrentDocument(); });
    connect(&documents_, &DocumentManager::documentAdded, this,
            [this](EditorDocument& document) { WatchDocument(document); });
    for (std::size_t i = 0; i < documents_.Count(); ++i) {
        WatchDocument(documents_.At(i));
    }
    connect(trees_, &NodeTreePart::nodeMenuRequested, this,
            [this](const QPoint& at) { ShowNodeMenu(at); });
    connect(editor_, &NodeEditor::listMenuRequested, this,
            [this](EnhancedListCtrl& list, const QPoint& pos) { ShowListMenu(list, pos); });
    connect(editor_, &NodeEditor::editMenuRequested, this, [this] {
        editor_->Text().setFocus();
        editMenu_->popup(QCursor::pos());
    });
    connect(problems_, &ProblemsView::findingChosen, this,
            [this](std::int32_t nodeId, ItemKind item, std::size_t index) {
                SelectNodeRow(nodeId, item, index);
            });
    connect(problems_, &ProblemsView::leaveRequested, this, [this] { trees_->setFocus(); });
    ConnectExplore();
    connect(find_, &FindPart::resultChosen, this,
            [this](EditorDocument& document, std::int32_t nodeId, const SearchMatch& match) {
                if (std::optional<std::size_t> index = documents_.IndexOf(document)) {
                    documents_.SetCurrent(*index);
                }
                document.SetCurrentNode(nodeId);
                editor_->ShowMatch(match);
            });
    findBar_->onClose = [this] { HideFind(); };
    ConnectMap();
    const std::pair<int, std::function<void()>> buttons[] = {
        {control_id::kExpandCollapseAll, [this] { trees_->ExpandCollapseAll(); }},
        {control_id::kEditPartySettings, [this] { OnEditPartySettings(); }},
        {control_id::kTestDialogue, [this] { OnTestDialogue(false); }},
        {control_id::kEditNpcComments, [this] { OnEditNpcComments(); }},
        {control_id::kEditNpcProperties, [this] { OnEditNpcProperties(); }}};
    for (const auto& [id, run] : buttons) {
        connect(buttons_.at(id), &QPushButton::clicked, this, run);
    }
}

// The tab, the title and the NPC box follow each document's name and modified mark; what
// other programs do to its file is answered here.
void CTalkwrightDlg::WatchDocument(EditorDocument& document) {
    connect(&document, &EditorDocument::modifiedChanged, this, [this] {
        SyncTabs();
        RefreshTitle();
    });
    connect(&document, &EditorDocument::npcChanged, this, [this] {
        SyncTabs();
        RefreshTitle();
    });
    connect(&document, &EditorDocument::currentNodeChanged, this, [this] { UpdateNodeActions(); });
    // Asked when it comes, whichever document is current: the message names the file.
    connect(&document.FileWatch(), &DocumentFileWatch::changedOnDisk, this,
            [this, &document] { files_.AnswerChangeOnDisk(document); });
    connect(&document.FileWatch(), &DocumentFileWatch::removedFromDisk, this,
            [this, &document] { files_.ReportRemovedFromDisk(document); });
}

void CTalkwrightDlg::ShowCurrentDocument() {
    EditorDocument& document = documents_.Current();
    SyncTabs();
    RefreshTitle();
    editor_->SetDocument(&document);
    problems_->SetDocument(&document);
    map_->SetDocument(&document);
    UpdateNodeActions();
    SetupTabOrder();
}

void CTalkwrightDlg::SyncTabs() {
    const QSignalBlocker block(tabs_);
    while (tabs_->count() > static_cast<int>(documents_.Count())) {
        tabs_->removeTab(tabs_->count() - 1);
    }
    for (std::size_t i = 0; i < documents_.Count(); ++i) {
        const EditorDocument& document = documents_.At(i);
        const QString title =
            ShownLabel(document.GetDialogue().Npc().name) + (document.IsModified() ? " *" : "");
        if (static_cast<int>(i) < tabs_->count()) {
            tabs_->setTabText(static_cast<int>(i), title);
        } else {
            tabs_->addTab(title);
        }
    }
    tabs_->setCurrentIndex(static_cast<int>(documents_.CurrentIndex()));
}

void CTalkwrightDlg::RefreshTitle() {
    const EditorDocument& document = documents_.Current();
    const QString name = ShownLabel(document.GetDialogue().Npc().name);
    const QString shown = document.Path().empty() ? name : FromPath(document.Path());
    setWindowTitle(QString(kTitle) + " -- " + shown + "[*]");
    setWindowModified(document.IsModified());
    npcName_->setText(name);
}

// Selects the node and, in its list, the command or response row.
void CTalkwrightDlg::SelectNodeRow(std::int32_t nodeId, ItemKind item, std::size_t index) {
    EditorDocument& document = documents_.Current();
    if (document.GetDialogue().FindNodeById(nodeId) == nullptr) {
        return;
    }
    document.SetCurrentNode(nodeId);
    if (!editor_->SelectRow(item, index)) {
        trees_->CurrentTree().setFocus();
    }
}

void CTalkwrightDlg::reject() {
    OnQuit();
}

void CTalkwrightDlg::EndWindow() {
    SaveSplitters();
    editor_->SetDocument(nullptr);
    problems_->SetDocument(nullptr);
    map_->SetDocument(nullptr);
    documents_.Clear();
    done(QDialog::Accepted);
}

}  // namespace tw
