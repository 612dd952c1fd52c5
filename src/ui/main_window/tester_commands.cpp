#include "ui/main_window/tester_commands.h"

#include "model/dialogue.h"
#include "tester/random_source.h"
#include "tester/state_editor.h"
#include "ui/dialogs/compile_dlg.h"
#include "ui/document/document_manager.h"
#include "ui/tester/party_dlg.h"
#include "ui/tester/test_dlg.h"
#include "ui/views/map/map_view.h"

namespace tw {

TesterCommands::TesterCommands(DocumentManager& documents, PlatformServices& services, MapView& map,
                               QWidget& window)
    : QObject(&window), documents_(documents), services_(services), map_(map), window_(window) {}

std::optional<std::filesystem::path> TesterCommands::DefaultStateFile() const {
    if (startupDirectory_.empty()) {
        return std::nullopt;
    }
    return std::filesystem::path(startupDirectory_) / kDefaultStateFileName;
}

void TesterCommands::EditPartySettings() {
    CPartyDlg dialog(party_, services_, &window_);
    dialog.exec();
}

// The compile window first; the tester only when it ends with OK. From the current node, the
// run enters that node once the initialization node's commands have prepared the
// environment.
void TesterCommands::Test(bool fromCurrentNode) {
    EditorDocument& document = documents_.Current();
    DialogueNode* start = fromCurrentNode ? document.CurrentNode() : nullptr;
    if (fromCurrentNode && (start == nullptr || start->Parent() == nullptr)) {
        return;
    }
    Dialogue& dialogue = document.GetDialogue();
    CCompileDlg compile(dialogue, &window_);
    if (compile.exec() != QDialog::Accepted) {
        return;
    }
    // A window made without the application (tests) still tests, with a fixed seed.
    RandomSource fallback(1);
    RandomSource& random = random_ ? *random_ : fallback;
    CTestDlg tester(dialogue, party_, random, services_, DefaultStateFile(), &window_);
    tester.SetStartNode(start);
    connect(&tester, &CTestDlg::stepped, &map_, &MapView::SetTestPath);
    tester.exec();
    map_.SetTestPath({});
}

}  // namespace tw
