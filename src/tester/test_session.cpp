#include "tester/test_session.h"

#include <memory>

#include "model/dialogue.h"
#include "script/compile.h"
#include "script/script_errors.h"
#include "script/statement.h"
#include "tester/party_settings.h"
#include "tester/run_step.h"
#include "tester/test_display.h"

namespace tw {
namespace {

constexpr std::size_t kMaxCustomCommand = 511;

}  // namespace

TestSession::TestSession(Dialogue& dialogue, PartySettings& party, RandomSource& random,
                         TestDisplay& display, StateEditorHost& stateEditor)
    : dialogue_(dialogue),
      party_(party),
      display_(display),
      stateEditor_(stateEditor),
      engine_(dialogue, environment_, party, random, display) {
    dialogue.Compile(compileErrors_);
}

void TestSession::Start() {
    PrepareRun();
    EnterInitializationNode();
}

void TestSession::StartAt(DialogueNode& node) {
    PrepareRun();
    DialogueNode* initialization = dialogue_.FindNodeById(kInitializationNodeId);
    if (initialization == nullptr || initialization == &node) {
        engine_.EnterNode(node);
        return;
    }
    engine_.RunCommandsSilently(*initialization);
    engine_.EnterNode(node);
}

void TestSession::PrepareRun() {
    SyncPartySettings(environment_, party_);
    stateEditor_.RunStateEditor(environment_, true);
    SyncPartySettings(environment_, party_);
    display_.EnableControl(TestControl::kTypedResponse, false);
    display_.EnableControl(TestControl::kEnter, false);
}

void TestSession::EnterInitializationNode() {
    if (DialogueNode* node = dialogue_.FindNodeById(0)) {
        engine_.EnterNode(*node);
    }
}

void TestSession::ExecuteCustomCommand(std::string_view text) {
    const std::string line(text.substr(0, std::min(text.size(), kMaxCustomCommand)));
    engine_.Substitution().RefreshRandomValues();
    std::unique_ptr<Statement> statement;
    try {
        statement = CompileStatement(line);
    } catch (const SyntaxError& e) {
        display_.ShowMessage(MessageKind::kError, "Syntax Error", "Syntax Error: " + e.GetMessage(),
                             MessageButtons::kOk);
        return;
    }
    if (!statement) {
        return;
    }
    try {
        statement->Execute(environment_);
    } catch (const RuntimeError& e) {
        display_.ShowMessage(MessageKind::kError, "Runtime Error",
                             "A runtime error occurred while executing: " + line +
                                 "\nDescription: " + e.GetMessage(),
                             MessageButtons::kOk);
    } catch (const ControlFlowException& e) {
        engine_.HandleCustomTransfer(line, e);
    }
}

void TestSession::RestartDialogue() {
    engine_.ClearForRestart();
    EnterInitializationNode();
}

bool TestSession::StepBack() {
    return !engine_.Steps().empty() && StepBackTo(engine_.Steps().size() - 1);
}

// Only the read-back: seeding defaults would add to an environment meant to be as it was.
bool TestSession::StepBackTo(std::size_t index) {
    if (!engine_.StepBackTo(index)) {
        return false;
    }
    ReadPartyBack(environment_, party_);
    return true;
}

void TestSession::ViewEnvironmentState() {
    stateEditor_.RunStateEditor(environment_, false);
    SyncPartySettings(environment_, party_);
}

void TestSession::AfterEnvironmentEdit() {
    SyncPartySettings(environment_, party_);
}

bool TestSession::QuitTest() {
    return display_.ShowMessage(MessageKind::kQuestion, "Warning",
                                "Are you sure you want to end the test?",
                                MessageButtons::kYesNo) == MessageAnswer::kYes;
}

}  // namespace tw
