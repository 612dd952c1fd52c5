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
    step.node = currentNode_;
    step.shownResponses = shownResponses_;
    step.savedResponses = savedResponses_;
    step.rows = rows_;
    step.messages = messages_;
    step.shownText = shownText_;
    step.textIsRich = shownTextIsRich_;
    step.lastResponse = lastResponse_;
    step.gotoPending = gotoPending_;
    step.gotoNode = gotoNode_;
    step.branchArmed = branchArmed_;
    step.branchNodes = branchNodes_;
    step.listStarted = listStarted_;
    step.listActive = listActive_;
    step.listExitNode = listExitNode_;
    step.awaitingReply = awaitingReply_;
    step.replyVariable = replyVariable_;
    step.replyCommand = replyCommand_;
    step.nodeTextEmpty = nodeTextEmpty_;
    step.journalMark = journal_.size();
    step.randomState = random_.State();
    steps_.push_back(std::move(step));
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
    random_.Seed(step.randomState);
    currentNode_ = step.node;
    shownResponses_ = std::move(step.shownResponses);
    savedResponses_ = std::move(step.savedResponses);
    rows_ = std::move(step.rows);
    messages_ = std::move(step.messages);
    shownText_ = std::move(step.shownText);
    shownTextIsRich_ = step.textIsRich;
    lastResponse_ = std::move(step.lastResponse);
    gotoPending_ = step.gotoPending;
    gotoNode_ = step.gotoNode;
    branchArmed_ = step.branchArmed;
    branchNodes_ = step.branchNodes;
    listStarted_ = step.listStarted;
    listActive_ = step.listActive;
    listExitNode_ = step.listExitNode;
    awaitingReply_ = step.awaitingReply;
    replyVariable_ = std::move(step.replyVariable);
    replyCommand_ = step.replyCommand;
    nodeTextEmpty_ = step.nodeTextEmpty;
    chainedNode_ = nullptr;
    entriesWithoutInput_ = 0;
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
