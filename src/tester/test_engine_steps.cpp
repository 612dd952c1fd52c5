// The engine's history: recording each choice's starting point, stepping back to one,
// and the silent run of a node's commands that starting a test at any node needs.

#include "model/dialogue.h"
#include "script/script_errors.h"
#include "tester/random_source.h"
#include "tester/run_step.h"
#include "tester/test_display.h"
#include "tester/test_engine.h"

namespace tw {

void TestEngine::RunCommandsSilently(const DialogueNode& node) {
    for (const auto& command : node.Commands()) {
        substitution_.RefreshRandomValues();
        try {
            command->Execute(environment_);
        } catch (const RuntimeError&) {
            continue;
        } catch (const ControlFlowException&) {
            // Nothing is entered or awaited: a node that asks for a reply first still
            // prepares everything its later commands set.
            continue;
        }
    }
}

void TestEngine::RecordStep(std::string choice) {
    if (steps_.empty()) {
        journal_.clear();  // no step can go back beyond the first one
    }
    RunStep step;
    step.nodeName = currentNode_ != nullptr ? currentNode_->GetName() : std::string();
    step.choice = std::move(choice);
    step.state = CurrentRunState();
    step.messages = messages_;
    step.shownText = shownText_;
    step.textIsRich = shownTextIsRich_;
    step.lastResponse = lastResponse_;
    step.journalMark = journal_.size();
    steps_.push_back(std::move(step));
}

RunState TestEngine::CurrentRunState() const {
    RunState state;
    state.node = currentNode_;
    state.shownResponses = shownResponses_;
    state.savedResponses = savedResponses_;
    state.rows = rows_;
    state.gotoPending = gotoPending_;
    state.gotoNode = gotoNode_;
    state.branchArmed = branchArmed_;
    state.branchNodes = branchNodes_;
    state.listStarted = listStarted_;
    state.listActive = listActive_;
    state.listExitNode = listExitNode_;
    state.awaitingReply = awaitingReply_;
    state.replyVariable = replyVariable_;
    state.replyCommand = replyCommand_;
    state.nodeTextEmpty = nodeTextEmpty_;
    state.randomState = random_.State();
    return state;
}

void TestEngine::RestoreRunState(const RunState& state) {
    PutBack(state);
    steps_.clear();
    journal_.clear();
}

void TestEngine::PutBack(RunState state) {
    random_.Seed(state.randomState);
    currentNode_ = state.node;
    shownResponses_ = std::move(state.shownResponses);
    savedResponses_ = std::move(state.savedResponses);
    rows_ = std::move(state.rows);
    gotoPending_ = state.gotoPending;
    gotoNode_ = state.gotoNode;
    branchArmed_ = state.branchArmed;
    branchNodes_ = state.branchNodes;
    listStarted_ = state.listStarted;
    listActive_ = state.listActive;
    listExitNode_ = state.listExitNode;
    awaitingReply_ = state.awaitingReply;
    replyVariable_ = std::move(state.replyVariable);
    replyCommand_ = state.replyCommand;
    nodeTextEmpty_ = state.nodeTextEmpty;
    chainedNode_ = nullptr;
    entriesWithoutInput_ = 0;
}

bool TestEngine::StepBack() {
    return !steps_.empty() && StepBackTo(steps_.size() - 1);
}

bool TestEngine::StepBackTo(std::size_t index) {
    if (index >= steps_.size()) {
        return false;
    }
    RestoreStep(steps_[index]);
    ShowRestored(steps_[index]);
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(index), steps_.end());
    return true;
}

void TestEngine::RestoreStep(RunStep& step) {
    environment_.RollBack(journal_, step.journalMark);
    PutBack(std::move(step.state));
    messages_ = std::move(step.messages);
    shownText_ = std::move(step.shownText);
    shownTextIsRich_ = step.textIsRich;
    lastResponse_ = std::move(step.lastResponse);
}

// Puts the window back as it was; the step's strings have moved into the engine.
void TestEngine::ShowRestored(const RunStep& step) {
    display_.SetField(TestField::kNode, step.nodeName);
    display_.SetField(TestField::kLastResponse, lastResponse_);
    display_.SetNodeText(shownText_, shownTextIsRich_);
    if (currentNode_ != nullptr) {
        ShowNodeCommands();
    }
    display_.ClearMessages();
    for (const std::string& message : messages_) {
        display_.AddMessage(message);
    }
    display_.ClearResponses();
    for (const std::string& row : rows_) {
        display_.AddResponse(row);
    }
    SetReplyMode(awaitingReply_);
    display_.ClearTypedResponse();
}

}  // namespace tw
