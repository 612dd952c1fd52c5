#include "ui/main_window/main_window_layout.h"

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
#include "ui/controls/style_edit_ctrl.h"
#include "ui/dialogs/program_icon.h"
#include "ui/main_window/splitter_memory.h"
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
constexpr int kListColumnWidth = 440;
constexpr int kTreeHeight = 220;
constexpr int kMapWidth = 360;
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

void MainWindowLayout::MakeParts(QWidget& window, DocumentManager& documents,
                                 PlatformServices& services, const DialogRunner& runDialog) {
    window_ = &window;
    documents_ = &documents;
    window.setWindowIcon(ProgramIcon());
    trees = new NodeTreePart(documents, services, runDialog, &window);
    editor = new NodeEditor(services, runDialog, &window);
    tabs = new QTabBar(&window);
    tabs->setDocumentMode(true);
    tabs->setExpanding(false);
    tabs->setAccessibleName("Dialogues");
}

void MainWindowLayout::Arrange(QMenuBar& menuBar) {
    auto* outer = new QVBoxLayout(window_);
    outer->setMenuBar(&menuBar);
    outer->setContentsMargins(10, 6, 10, 10);
    outer->addWidget(tabs);
    outer->addWidget(TopRow());
    outer->addWidget(Body(), 1);
    find = new FindPart(*documents_, *findBar);
    SetTabOrder();
    trees->setFocus();
}

QPushButton* MainWindowLayout::MakeButton(int id, const QString& caption) {
    auto* button = new QPushButton(caption, window_);
    button->setAutoDefault(false);  // Enter does nothing in this window
    button->setObjectName(QString("button%1").arg(id));
    buttons[id] = button;
    return button;
}

// Each caption carries its mnemonic: the letters avoid one another, the menu bar's and the
// node editor's.
QWidget* MainWindowLayout::TopRow() {
    auto* row = new QWidget(window_);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    auto* label = new QLabel("NPC:", row);
    npcName = new QLineEdit(row);
    npcName->setObjectName("npcName");
    npcName->setAccessibleName("NPC");
    SetReadOnlyField(npcName, true);
    label->setBuddy(npcName);
    layout->addWidget(label);
    layout->addWidget(npcName, 1);
    layout->addSpacing(12);
    const std::pair<int, const char*> captions[] = {
        {control_id::kExpandCollapseAll, "E&xpand/Collapse All"},
        {control_id::kEditPartySettings, "Edit &Party Settings"},
        {control_id::kTestDialogue, "&Test Dialogue"},
        {control_id::kEditNpcComments, "Edit NPC Co&mments"},
        {control_id::kEditNpcProperties, "Edit NPC P&roperties"}};
    for (auto [id, caption] : captions) {
        layout->addWidget(MakeButton(id, caption));
    }
    return row;
}

// The tree keeps its height when the window grows; the node text takes the rest. The
// splitter lets the writer trade one for the other.
QWidget* MainWindowLayout::NodeColumn() {
    auto* column = new QWidget(window_);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* splitter = new QSplitter(Qt::Vertical, column);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(TreeAndMap());
    splitter->addWidget(&editor->Text());
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({kTreeHeight, 200});
    layout->addWidget(splitter, 1);
    auto* commentsRow = new QHBoxLayout;
    auto* label = new QLabel("&Comments:", column);
    label->setBuddy(&editor->Comments());
    commentsRow->addWidget(label);
    commentsRow->addWidget(&editor->Comments(), 1);
    layout->addLayout(commentsRow);
    return column;
}

// The map opens hidden; View > Map shows it beside the tree.
QWidget* MainWindowLayout::TreeAndMap() {
    auto* splitter = new QSplitter(Qt::Horizontal, window_);
    splitter->setObjectName("treeMapSplitter");
    splitter->setChildrenCollapsible(false);
    map = new MapView(splitter);
    map->setObjectName("map");
    map->hide();
    splitter->addWidget(trees);
    splitter->addWidget(map);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({kMapWidth, kMapWidth});
    return splitter;
}

QWidget* MainWindowLayout::ListColumn() {
    auto* column = new QWidget(window_);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(&editor->CommandList(), 1);
    layout->addLayout(ButtonRow(editor->CommandButtons()));
    layout->addSpacing(6);
    layout->addWidget(&editor->ResponseList(), 1);
    layout->addLayout(ButtonRow(editor->ResponseButtons()));
    return column;
}

// The halves and the panes below them are split so that the writer can give the lists or
// the Problems pane more room; the window opens with the lists at their old width.
QSplitter* MainWindowLayout::Body() {
    halves_ = new QSplitter(Qt::Horizontal, window_);
    halves_->setObjectName("halvesSplitter");
    halves_->setChildrenCollapsible(false);
    halves_->addWidget(NodeColumn());
    halves_->addWidget(ListColumn());
    halves_->setStretchFactor(0, 1);
    halves_->setStretchFactor(1, 0);
    halves_->setSizes({kCreationWidth - kListColumnWidth, kListColumnWidth});
    auto* lower = new QWidget(window_);
    auto* lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    findBar = new FindBar(lower);
    findBar->setObjectName("findBar");
    findBar->hide();
    lowerLayout->addWidget(findBar);
    problems = new ProblemsView(lower);
    problems->setObjectName("problems");
    lowerLayout->addWidget(problems, 1);
    panes = new QSplitter(Qt::Vertical, window_);
    panes->setObjectName("panesSplitter");
    panes->setChildrenCollapsible(false);
    panes->addWidget(halves_);
    panes->addWidget(lower);
    panes->setStretchFactor(0, 1);
    panes->setStretchFactor(1, 0);
    panes->setSizes({kCreationWidth, 0});  // the pane below at its least height
    return panes;
}

// The controls were made part by part, which left Tab jumping between the columns; it
// follows the window's reading order instead.
void MainWindowLayout::SetTabOrder() {
    std::vector<QWidget*> order{tabs, npcName};
    for (int id :
         {control_id::kExpandCollapseAll, control_id::kEditPartySettings, control_id::kTestDialogue,
          control_id::kEditNpcComments, control_id::kEditNpcProperties}) {
        order.push_back(buttons.at(id));
    }
    order.insert(order.end(), {&trees->CurrentTree(), &editor->Text(), &editor->Comments(),
                               &editor->CommandList()});
    order.insert(order.end(), editor->CommandButtons().begin(), editor->CommandButtons().end());
    order.push_back(&editor->ResponseList());
    order.insert(order.end(), editor->ResponseButtons().begin(), editor->ResponseButtons().end());
    order.push_back(problems->List());
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

void MainWindowLayout::RestoreSplitters(PlatformServices& services, const std::string& section) {
    RestoreSplitter(*halves_, services, section, kHalvesKey);
    RestoreSplitter(*panes, services, section, kPanesKey);
}

void MainWindowLayout::SaveSplitters(PlatformServices& services, const std::string& section) {
    SaveSplitter(*halves_, services, section, kHalvesKey);
    SaveSplitter(*panes, services, section, kPanesKey);
}

}  // namespace tw
