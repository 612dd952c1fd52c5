// The main window's other commands: the NPC's data and comments, About, the tester, export
// and following links. Each opens its dialog and hands the result to one document operation.

#include <QApplication>
#include <QLabel>
#include <QProgressDialog>
#include <QTreeWidget>
#include <filesystem>

#include "export/batch_export.h"
#include "export/dialogue_export.h"
#include "model/check/dialogue_references.h"
#include "model/dialogue.h"
#include "model/dialogue_compile.h"
#include "tester/random_source.h"
#include "tester/state_editor.h"
#include "ui/controls/enhanced_tree_ctrl.h"
#include "ui/controls/shown_label.h"
#include "ui/dialogs/about_dlg.h"
#include "ui/dialogs/comments_dlg.h"
#include "ui/dialogs/compile_dlg.h"
#include "ui/dialogs/npc_dlg.h"
#include "ui/main_window/explore_command.h"
#include "ui/main_window/talkwright_dlg.h"
#include "ui/platform/platform_services.h"
#include "ui/platform/text_codec.h"
#include "ui/tester/party_dlg.h"
#include "ui/tester/test_dlg.h"
#include "ui/views/links_dlg.h"
#include "ui/views/map/map_view.h"
#include "ui/views/node_editor.h"
#include "ui/views/node_tree_part.h"
#include "ui/views/problems_view.h"

namespace tw {
namespace {

// A name typed without extension gets ".txt": the export is plain text, whichever entry of
// the list was chosen.
FileDialogRequest ExportRequest(const char* caption, std::vector<FileFilter> filters,
                                std::string startDirectory) {
    FileDialogRequest request;
    request.caption = caption;
    request.filters = std::move(filters);
    request.defaultExtension = "txt";
    request.startDirectory = std::move(startDirectory);
    request.promptOverwrite = true;
    return request;
}

std::string DirectoryOf(const std::string& path) {
    const std::string parent = std::filesystem::path(path).parent_path().string();
    return parent.empty() ? "." : parent;
}

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

void CTalkwrightDlg::OnEditNpcComments() {
    EditorDocument& document = documents_.Current();
    CCommentsDlg dialog(Services(), document.GetDialogue().GetComments(), this);
    if (runDialog_(dialog) == QDialog::Accepted) {
        document.SetNpcComments(dialog.GetComments());
    }
}

// The dialog edits a copy; the document takes it as one step when it differs.
void CTalkwrightDlg::OnEditNpcProperties() {
    EditorDocument& document = documents_.Current();
    NPCData npc = document.GetDialogue().Npc();
    EditNpcData(npc);
    document.SetNpcData(npc);
}

void CTalkwrightDlg::EditNpcData(NPCData& npc) {
    CNPCDlg dialog(Services(), npc, this);
    runDialog_(dialog);
}

void CTalkwrightDlg::OnAbout() {
    CAboutDlg dialog(this);
    runDialog_(dialog);
}

void CTalkwrightDlg::OnEditPartySettings() {
    CPartyDlg dialog(party_, Services(), this);
    dialog.exec();
}

// The compile window first; the tester only when it ends with OK. From the current node, the
// run enters that node once the initialization node's commands have prepared the
// environment.
void CTalkwrightDlg::OnTestDialogue(bool fromCurrentNode) {
    EditorDocument& document = documents_.Current();
    DialogueNode* start = fromCurrentNode ? document.CurrentNode() : nullptr;
    if (fromCurrentNode && (start == nullptr || start->Parent() == nullptr)) {
        return;
    }
    Dialogue& dialogue = document.GetDialogue();
    CCompileDlg compile(dialogue, this);
    if (compile.exec() != QDialog::Accepted) {
        return;
    }
    // A window made without the application (tests) still tests, with a fixed seed.
    RandomSource fallback(1);
    RandomSource& random = random_ ? *random_ : fallback;
    CTestDlg tester(dialogue, party_, random, Services(), DefaultStateFile(), this);
    tester.SetStartNode(start);
    connect(&tester, &CTestDlg::stepped, map_, &MapView::SetTestPath);
    tester.exec();
    map_->SetTestPath({});
}

std::optional<std::filesystem::path> CTalkwrightDlg::DefaultStateFile() const {
    if (startupDirectory_.empty()) {
        return std::nullopt;
    }
    return std::filesystem::path(startupDirectory_) / kDefaultStateFileName;
}

// Explore Dialogue and Replay Finding; Replay only on a finding with a road.
void CTalkwrightDlg::ConnectExplore() {
    explore_ = new ExploreCommand(
        documents_, *problems_, {party_, Services(), [this] { return DefaultStateFile(); }}, *this);
    QAction* replay = actions_.at("replayFinding");
    replay->setEnabled(false);
    connect(problems_, &ProblemsView::currentFindingChanged, this,
            [this, replay] { replay->setEnabled(explore_->CanReplay()); });
    problems_->List()->setContextMenuPolicy(Qt::ActionsContextMenu);
    problems_->List()->addAction(replay);
}

void CTalkwrightDlg::OnExport() {
    const FileDialogRequest request = ExportRequest(
        "Export", {{"Rich Text Format (*.rtf)", "*.rtf"}, {"ASCII Text format (*.txt)", "*.txt"}},
        Services().GetWorkingDirectory());
    if (std::optional<std::string> path = Services().ChooseFileToSave(request)) {
        if (std::optional<std::string> failure =
                Export(documents_.Current().GetDialogue(), *path)) {
            Services().ShowMessage(MessageKind::kError, "Error", *failure, MessageButtons::kOk);
        }
    }
}

// Each file found is opened as a tab (a file that fails to open has shown its message and is
// skipped) and exported under its own name into the chosen directory.
void CTalkwrightDlg::OnBatchExport() {
    const std::string source = Services().GetWorkingDirectory();
    const std::optional<std::string> chosen = Services().ChooseFileToSave(ExportRequest(
        "Batch Export", {{"Export Files (*.txt)", "*.txt"}, {"All Files (*.*)", "*.*"}}, source));
    if (!chosen) {
        return;
    }
    const DialogueFileSearch found = FindDialogueFiles(source);
    BatchExporter exporter(DirectoryOf(*chosen));
    QProgressDialog progress("Exporting dialogues...", "Cancel", 0,
                             static_cast<int>(found.files.size()), this);
    progress.setWindowTitle("Batch Export");
    // A file's name is shown as it is, never read as markup.
    auto* label = new QLabel("Exporting dialogues...");
    label->setTextFormat(Qt::PlainText);
    progress.setLabel(label);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.show();
    for (std::size_t i = 0; i < found.files.size() && !progress.wasCanceled(); ++i) {
        progress.setValue(static_cast<int>(i));
        progress.setLabelText(
            "Exporting " +
            QString::fromStdString(std::filesystem::path(found.files[i]).filename().string()));
        QApplication::processEvents();
        if (OpenDialogueFile(found.files[i])) {
            const BatchExportResult result =
                exporter.Export(found.files[i], documents_.Current().GetDialogue());
            if (result.error) {
                Services().ShowMessage(MessageKind::kError, "Error", *result.error,
                                       MessageButtons::kOk);
            }
        }
    }
    progress.setValue(static_cast<int>(found.files.size()));
}

void CTalkwrightDlg::OnGoToNode() {
    const std::int32_t id = editor_->LinkedNodeId();
    if (id != kNoNodeId) {
        SelectNodeRow(id, ItemKind::Node, 0);
    }
}

void CTalkwrightDlg::OnBack(bool back) {
    EditorDocument& document = documents_.Current();
    if (back ? document.GoBack() : document.GoForward()) {
        trees_->CurrentTree().setFocus();
    }
}

void CTalkwrightDlg::OnLinksToNode() {
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
    CLinksDlg dialog(ShownLabel(node->Label()), texts, this);
    runDialog_(dialog);
    const int chosen = dialog.Chosen();
    if (chosen >= 0 && chosen < static_cast<int>(links.size())) {
        const NodeReference& link = *links[static_cast<std::size_t>(chosen)];
        SelectNodeRow(link.from->GetId(), link.item, link.index);
    }
}

}  // namespace tw
