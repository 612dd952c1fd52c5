// Building the main window: its menus, controls and layout.

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QSplitter>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>
#include <vector>

#include "ui/controls/command_icons.h"
#include "ui/controls/enhanced_list_ctrl.h"
#include "ui/controls/enhanced_tree_ctrl.h"
#include "ui/controls/style_edit_ctrl.h"
#include "ui/main_window/control_ids.h"
#include "ui/main_window/problems_pane.h"
#include "ui/main_window/splitter_memory.h"
#include "ui/main_window/talkwright_dlg.h"

namespace tw {
namespace {

constexpr int kListColumnWidth = 440;
constexpr int kTopRowButtons[] = {control_id::kExpandCollapseAll, control_id::kEditPartySettings,
                                  control_id::kTestDialogue, control_id::kEditNpcComments,
                                  control_id::kEditNpcProperties};
constexpr int kCommandButtons[] = {control_id::kAddCommand, control_id::kEditCommand,
                                   control_id::kDeleteCommand};
constexpr int kTreeHeight = 220;
constexpr int kCreationWidth = 1000;
constexpr const char* kHalvesKey = "Halves";
constexpr const char* kPanesKey = "Panes";

// The window icon: a speech bubble, as the program is about conversations.
QIcon AppIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(40, 96, 160));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(2, 3, 28, 19), 6, 6);
    const QPointF tail[] = {{9, 20}, {8, 29}, {16, 21}};
    painter.drawPolygon(tail, 3);
    painter.setBrush(Qt::white);
    for (int x : {9, 16, 23}) {
        painter.drawEllipse(QPointF(x, 12.5), 2.2, 2.2);
    }
    return QIcon(pixmap);
}

QAction* AddAction(QMenu* menu, const QString& caption) {
    return menu->addAction(caption);
}

QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    for (QPushButton* button : buttons) {
        row->addWidget(button);
    }
    row->addStretch(1);
    return row;
}

// The widths were chosen for a smaller font than today's: a column is never narrower than
// its title.
void AddColumn(EnhancedListCtrl& list, const QString& title, int width) {
    constexpr int kTitlePadding = 16;
    list.AddColumn(title,
                   std::max(width, list.fontMetrics().horizontalAdvance(title) + kTitlePadding));
}

}  // namespace

QPushButton* CTalkwrightDlg::MakeButton(int id, const QString& caption) {
    auto* button = new QPushButton(caption, this);
    button->setAutoDefault(false);  // Enter does nothing in this window
    button->setObjectName(QString("button%1").arg(id));
    buttons_[id] = button;
    return button;
}

QPushButton* CTalkwrightDlg::Button(int id) const {
    const auto found = buttons_.find(id);
    return found == buttons_.end() ? nullptr : found->second;
}

void CTalkwrightDlg::SetupMenus() {
    menuBar_ = new QMenuBar(this);
    menuBar_->addMenu(SetupFileMenu());
    menuBar_->addMenu(SetupEditMenu());
    menuBar_->addMenu(SetupSortMenu());
    menuBar_->addMenu(SetupViewMenu());
    menuBar_->addMenu(SetupSearchMenu());
    QMenu* help = menuBar_->addMenu("&Help");
    connect(AddAction(help, "&About"), &QAction::triggered, this, &CTalkwrightDlg::OnAbout);
}

QMenu* CTalkwrightDlg::SetupFileMenu() {
    auto* file = new QMenu("&File", this);
    connect(AddAction(file, "&New Dialogue"), &QAction::triggered, this,
            [this] { OnNewDialogue(); });
    QAction* open = AddAction(file, "&Open");
    open->setShortcut(QKeySequence::Open);
    connect(open, &QAction::triggered, this, [this] { OnOpen(); });
    connect(AddAction(file, "&Close Dialogue"), &QAction::triggered, this,
            [this] { OnCloseDialogue(); });
    file->addSeparator();
    QAction* save = AddAction(file, "&Save");
    save->setShortcut(QKeySequence::Save);
    connect(save, &QAction::triggered, this, [this] { OnSave(); });
    connect(AddAction(file, "Save &As..."), &QAction::triggered, this, [this] { OnSaveAs(); });
    connect(AddAction(file, "Save A&ll"), &QAction::triggered, this, [this] { OnSaveAll(); });
    file->addSeparator();
    connect(AddAction(file, "&Export..."), &QAction::triggered, this, [this] { OnExport(); });
    connect(AddAction(file, "&Batch Export..."), &QAction::triggered, this,
            [this] { OnBatchExport(); });
    file->addSeparator();
    recentMenu_ = file->addMenu("Recent Files");
    connect(file, &QMenu::aboutToShow, this, [this] { FillRecentMenu(); });
    file->addSeparator();
    connect(AddAction(file, "&Quit"), &QAction::triggered, this, [this] { OnQuit(); });
    FillRecentMenu();
    return file;
}

QMenu* CTalkwrightDlg::SetupEditMenu() {
    auto* edit = new QMenu("&Edit", this);
    editMenu_ = edit;
    SetupUndo(edit);
    edit->addSeparator();
    struct Command {
        const char* caption;
        QKeySequence key;
        void (CTalkwrightDlg::*handler)();
    };
    const Command commands[] = {{"Cu&t", QKeySequence::Cut, &CTalkwrightDlg::OnCut},
                                {"&Copy", QKeySequence::Copy, &CTalkwrightDlg::OnCopy},
                                {"&Paste", QKeySequence::Paste, &CTalkwrightDlg::OnPaste},
                                {"&Delete", QKeySequence::Delete, &CTalkwrightDlg::OnDelete}};
    for (const Command& command : commands) {
        QAction* action = AddAction(edit, command.caption);
        // The keys belong to the lists and text boxes, each acting on its own selection; the
        // menu only names them.
        action->setShortcut(command.key);
        action->setShortcutContext(Qt::WidgetShortcut);
        connect(action, &QAction::triggered, this, command.handler);
    }
    edit->addSeparator();
    connect(AddAction(edit, "Select &All"), &QAction::triggered, this,
            &CTalkwrightDlg::OnSelectAll);
    return edit;
}

QMenu* CTalkwrightDlg::SetupSortMenu() {
    auto* sort = new QMenu("&Sort", this);
    const std::pair<const char*, void (CTalkwrightDlg::*)(bool)> scopes[] = {
        {"All Nodes", &CTalkwrightDlg::OnSortAll},
        {"Selected Branch", &CTalkwrightDlg::OnSortBranch}};
    for (const auto& [scope, handler] : scopes) {
        QMenu* sub = sort->addMenu(scope);
        connect(AddAction(sub, "Ascending"), &QAction::triggered, this,
                [this, run = handler] { (this->*run)(true); });
        connect(AddAction(sub, "Descending"), &QAction::triggered, this,
                [this, run = handler] { (this->*run)(false); });
    }
    return sort;
}

QWidget* CTalkwrightDlg::SetupTopRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    auto* label = new QLabel("NPC:", row);
    npcName_ = new QLineEdit(row);
    npcName_->setReadOnly(true);
    label->setBuddy(npcName_);
    layout->addWidget(label);
    layout->addWidget(npcName_, 1);
    layout->addSpacing(12);
    layout->addWidget(MakeButton(control_id::kExpandCollapseAll, "Expand/Collapse All"));
    layout->addWidget(MakeButton(control_id::kEditPartySettings, "Edit Party Settings"));
    layout->addWidget(MakeButton(control_id::kTestDialogue, "Test Dialogue"));
    layout->addWidget(MakeButton(control_id::kEditNpcComments, "Edit NPC Comments"));
    layout->addWidget(MakeButton(control_id::kEditNpcProperties, "Edit NPC Properties"));
    return row;
}

void CTalkwrightDlg::SetupTree() {
    tree_ = new EnhancedTreeCtrl(this);
    tree_->SetImageList(CommandIcons());
    tree_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tree_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { ShowNodeMenu(pos); });
}

void CTalkwrightDlg::SetupNodeText() {
    nodeText_ = new CStyleEditCtrl(this);
    nodeText_->Init();
    comments_ = new QLineEdit(this);
    // The whole comment, however long: a box that cut it short would store the cut text
    // back at the first keystroke.
    comments_->setMaxLength(std::numeric_limits<int>::max());
}

QWidget* CTalkwrightDlg::SetupNodeColumn() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    // The tree keeps its height when the window grows; the node text takes the rest. The
    // splitter lets the writer trade one for the other.
    auto* splitter = new QSplitter(Qt::Vertical, column);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(tree_);
    splitter->addWidget(nodeText_);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({kTreeHeight, 200});
    layout->addWidget(splitter, 1);
    auto* commentsRow = new QHBoxLayout;
    auto* label = new QLabel("&Comments:", column);
    label->setBuddy(comments_);
    commentsRow->addWidget(label);
    commentsRow->addWidget(comments_, 1);
    layout->addLayout(commentsRow);
    return column;
}

void CTalkwrightDlg::SetupLists() {
    commands_ = new EnhancedListCtrl(this);
    commands_->SetImageList(CommandIcons());
    AddColumn(*commands_, "Command", 85);
    AddColumn(*commands_, "String", 260);
    AddColumn(*commands_, "Condition", 140);
    responses_ = new EnhancedListCtrl(this);
    responses_->SetImageList(CommandIcons());
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
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        list->setAlternatingRowColors(true);
    }
}

QWidget* CTalkwrightDlg::SetupListColumn() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(commands_, 1);
    layout->addLayout(ButtonRow({MakeButton(control_id::kAddCommand, "Add Command"),
                                 MakeButton(control_id::kEditCommand, "Edit Command"),
                                 MakeButton(control_id::kDeleteCommand, "Delete Command")}));
    layout->addSpacing(6);
    layout->addWidget(responses_, 1);
    layout->addLayout(ButtonRow({MakeButton(control_id::kAddResponse, "Add Response"),
                                 MakeButton(control_id::kEditResponse, "Edit Response"),
                                 MakeButton(control_id::kDeleteResponse, "Delete Response")}));
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
    lowerLayout->addWidget(SetupFindBar());
    lowerLayout->addWidget(SetupProblemsPane(), 1);
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
    // The installed program icon when the theme has it, so the window matches the menu.
    setWindowIcon(QIcon::fromTheme("org.talkwright.Talkwright", AppIcon()));
    SetupMenus();
    SetupTree();
    SetupNodeText();
    SetupLists();
    tabs_ = new QTabBar(this);
    tabs_->setDocumentMode(true);
    tabs_->setExpanding(false);
    auto* outer = new QVBoxLayout(this);
    outer->setMenuBar(menuBar_);
    outer->setContentsMargins(10, 6, 10, 10);
    outer->addWidget(tabs_);
    outer->addWidget(SetupTopRow());
    outer->addWidget(SetupBody(), 1);
    SetupKeyboardAndNames();
    SetupTabOrder();
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

// The controls were made column by column, which left Tab jumping between the columns;
// it follows the window's reading order instead, and the writer starts in the tree.
void CTalkwrightDlg::SetupTabOrder() {
    std::vector<QWidget*> order{tabs_, npcName_};
    for (int id : kTopRowButtons) {
        order.push_back(Button(id));
    }
    order.insert(order.end(), {tree_, nodeText_, comments_, commands_});
    for (int id : kCommandButtons) {
        order.push_back(Button(id));
    }
    order.push_back(responses_);
    for (int id : control_id::kResponseButtons) {
        order.push_back(Button(id));
    }
    order.push_back(problems_->List());
    for (std::size_t i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
    tree_->setFocus();
}

}  // namespace tw
