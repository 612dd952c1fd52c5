// The main window's tester commands: the party of the tests and the test of a dialogue.
#include <filesystem>

#include "tester/random_source.h"
#include "tester/state_editor.h"
#include "tester/ui/party_dlg.h"
#include "tester/ui/test_dlg.h"
#include "ui/dialogs/compile_dlg.h"
#include "ui/main_window/talkwright_dlg.h"

namespace tw {

void CTalkwrightDlg::OnEditPartySettings() {
    CPartyDlg dialog(party_, Services(), this);
    dialog.exec();
}

void CTalkwrightDlg::OnTestDialogue() {
    RunTestFrom(nullptr);
}

void CTalkwrightDlg::OnTestFromSelectedNode() {
    if (DialogueNode* node = SelectedNode())
        RunTestFrom(node);
}

void CTalkwrightDlg::RunTestFrom(DialogueNode* start) {
    Dialogue& dialogue = documents_.Current();
    CCompileDlg compile(dialogue, this);
    if (compile.exec() != QDialog::Accepted)
        return;
    // A window made without the application (tests) still tests, with a fixed seed.
    RandomSource fallback(1);
    RandomSource& random = random_ ? *random_ : fallback;
    std::optional<std::filesystem::path> stateFile;
    if (!startupDirectory_.empty())
        stateFile = std::filesystem::path(startupDirectory_) / kDefaultStateFileName;
    CTestDlg tester(dialogue, party_, random, Services(), stateFile, this);
    tester.SetStartNode(start);
    tester.exec();
}

}  // namespace tw
