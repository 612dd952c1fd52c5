// The main window's making and the wiring between its parts, its commands and the documents.

#include "ui/main_window/talkwright_dlg.h"

#include <QAction>
#include <QCursor>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <functional>

#include "ui/controls/shown_label.h"
#include "ui/controls/style_edit_ctrl.h"
#include "ui/main_window/explore_command.h"
#include "ui/main_window/export_commands.h"
#include "ui/main_window/find_commands.h"
#include "ui/main_window/link_commands.h"
#include "ui/main_window/npc_commands.h"
#include "ui/main_window/view_commands.h"
#include "ui/platform/text_codec.h"
#include "ui/views/control_ids.h"
#include "ui/views/find_part.h"
#include "ui/views/map/map_view.h"
#include "ui/views/node_editor.h"
#include "ui/views/node_tree_part.h"
#include "ui/views/problems_view.h"

namespace tw {
namespace {

constexpr int kCreationWidth = 1000;
constexpr int kCreationHeight = 660;

}  // namespace

CTalkwrightDlg::CTalkwrightDlg(PlatformServices& services, QWidget* parent)
    : CResizingDialog(kTemplateId, services, parent) {
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    layout_.MakeParts(*this, documents_, Services(), runDialog_);
    SetupMenus();
    layout_.Arrange(*menuBar_);
    MakeCommands();
    ConnectParts();
    resize(kCreationWidth, kCreationHeight);
    InitDialog();
    layout_.RestoreSplitters(Services(), ProfileSection());
    ShowCurrentDocument();
    files_->Files().RestoreWorkingDirectory();
}

CTalkwrightDlg::~CTalkwrightDlg() {
    documents_.disconnect(this);
}

void CTalkwrightDlg::MakeCommands() {
    PlatformServices& services = Services();
    npc_ = new NpcCommands(documents_, services, runDialog_, *this);
    files_ = new FileMenuCommands(documents_, services, *npc_, *this);
    files_->FillRecentMenu(*recentMenu_);
    tester_ = new TesterCommands(documents_, services, *layout_.map, *this);
    explore_ = new ExploreCommand(
        documents_, *layout_.problems,
        {tester_->Party(), services, [this] { return tester_->DefaultStateFile(); }}, *this);
    export_ =
        new ExportCommands(documents_, services, *files_, *layout_.map, *layout_.problems, *this);
    links_ = new LinkCommands(documents_, *layout_.trees, *layout_.editor, runDialog_, *this);
    find_ = new FindCommands(*layout_.findBar, *layout_.find, *layout_.panes,
                             *actions_.at("showFindBar"), *layout_.trees);
    view_ = new ViewCommands(*layout_.problems, *layout_.map, *explore_,
                             *actions_.at("viewProblems"), *actions_.at("showMap"), *this);
}

void CTalkwrightDlg::ConnectParts() {
    connect(layout_.tabs, &QTabBar::currentChanged, this, [this](int index) {
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
    connect(files_, &FileMenuCommands::saved, this, &CTalkwrightDlg::ShowNames);
    connect(layout_.trees, &NodeTreePart::nodeMenuRequested, this, &CTalkwrightDlg::ShowNodeMenu);
    connect(layout_.editor, &NodeEditor::listMenuRequested, this, &CTalkwrightDlg::ShowListMenu);
    connect(layout_.editor, &NodeEditor::editMenuRequested, this, [this] {
        layout_.editor->Text().setFocus();
        editMenu_->popup(QCursor::pos());
    });
    connect(layout_.problems, &ProblemsView::findingChosen, links_, &LinkCommands::SelectNodeRow);
    connect(layout_.problems, &ProblemsView::leaveRequested, this,
            [this] { layout_.trees->setFocus(); });
    ConnectExplore();
    connect(layout_.find, &FindPart::resultChosen, links_, &LinkCommands::ShowMatch);
    view_->ConnectMap(*layout_.editor, *layout_.trees);
    const std::pair<int, std::function<void()>> buttons[] = {
        {control_id::kExpandCollapseAll, [this] { layout_.trees->ExpandCollapseAll(); }},
        {control_id::kEditPartySettings, [this] { tester_->EditPartySettings(); }},
        {control_id::kTestDialogue, [this] { tester_->TestDialogue(); }},
        {control_id::kEditNpcComments, [this] { npc_->EditComments(); }},
        {control_id::kEditNpcProperties, [this] { npc_->EditProperties(); }}};
    for (const auto& [id, run] : buttons) {
        connect(layout_.buttons.at(id), &QPushButton::clicked, this, run);
    }
}

// Replay Finding only on a finding with a road.
void CTalkwrightDlg::ConnectExplore() {
    QAction* replay = actions_.at("replayFinding");
    replay->setEnabled(false);
    connect(layout_.problems, &ProblemsView::currentFindingChanged, this,
            [this, replay] { replay->setEnabled(explore_->CanReplay()); });
    layout_.problems->List()->setContextMenuPolicy(Qt::ActionsContextMenu);
    layout_.problems->List()->addAction(replay);
}

// The tab, the title and the NPC box follow each document's name and modified mark; what
// other programs do to its file is answered here.
void CTalkwrightDlg::WatchDocument(EditorDocument& document) {
    connect(&document, &EditorDocument::modifiedChanged, this, &CTalkwrightDlg::ShowNames);
    connect(&document, &EditorDocument::npcChanged, this, &CTalkwrightDlg::ShowNames);
    connect(&document, &EditorDocument::currentNodeChanged, this, [this] { UpdateNodeActions(); });
    // Asked when it comes, whichever document is current: the message names the file.
    connect(&document.FileWatch(), &DocumentFileWatch::changedOnDisk, this,
            [this, &document] { files_->Files().AnswerChangeOnDisk(document); });
    connect(&document.FileWatch(), &DocumentFileWatch::removedFromDisk, this,
            [this, &document] { files_->Files().ReportRemovedFromDisk(document); });
}

void CTalkwrightDlg::ShowCurrentDocument() {
    EditorDocument& document = documents_.Current();
    ShowNames();
    layout_.editor->SetDocument(&document);
    layout_.problems->SetDocument(&document);
    layout_.map->SetDocument(&document);
    UpdateNodeActions();
    layout_.SetTabOrder();
}

void CTalkwrightDlg::ShowNames() {
    QTabBar* tabs = layout_.tabs;
    const QSignalBlocker block(tabs);
    while (tabs->count() > static_cast<int>(documents_.Count())) {
        tabs->removeTab(tabs->count() - 1);
    }
    for (std::size_t i = 0; i < documents_.Count(); ++i) {
        const EditorDocument& document = documents_.At(i);
        const QString title =
            ShownLabel(document.GetDialogue().Npc().name) + (document.IsModified() ? " *" : "");
        if (static_cast<int>(i) < tabs->count()) {
            tabs->setTabText(static_cast<int>(i), title);
        } else {
            tabs->addTab(title);
        }
    }
    tabs->setCurrentIndex(static_cast<int>(documents_.CurrentIndex()));
    const EditorDocument& current = documents_.Current();
    const QString name = ShownLabel(current.GetDialogue().Npc().name);
    const QString shown = current.Path().empty() ? name : FromPath(current.Path());
    setWindowTitle(QString(kTitle) + " -- " + shown + "[*]");
    setWindowModified(current.IsModified());
    layout_.npcName->setText(name);
}

std::string CTalkwrightDlg::ProfileSection() const {
    return QString::number(TemplateId(), 16).toStdString();
}

void CTalkwrightDlg::reject() {
    OnQuit();
}

bool CTalkwrightDlg::OnQuit() {
    if (!files_->Files().ConfirmShutdown(documents_)) {
        return false;
    }
    EndWindow();
    return true;
}

void CTalkwrightDlg::EndWindow() {
    layout_.SaveSplitters(Services(), ProfileSection());
    layout_.editor->SetDocument(nullptr);
    layout_.problems->SetDocument(nullptr);
    layout_.map->SetDocument(nullptr);
    documents_.Clear();
    done(QDialog::Accepted);
}

}  // namespace tw
