#include "tester/test_engine.h"

#include <algorithm>
#include <utility>

#include "model/dialogue.h"
#include "base/byte_string.h"
#include "script/environment.h"
#include "tester/node_text_preview.h"
#include "tester/random_source.h"
#include "tester/run_step.h"
#include "tester/test_display.h"

namespace tw {
namespace {

constexpr std::string_view kRuntimeErrorCaption = "Runtime Error";
constexpr std::string_view kExecuting = "A runtime error occurred while executing: ";
constexpr std::string_view kUnableToContinue = "\nUnable to continue.";
constexpr std::size_t kMaxTypedReply = 511;

std::string NoSuchNode(std::string_view name) {
    return "No such node '" + std::string(name) + "' exists in the dialogue.";
}

// Removes the first entry for which the key matches, compared without case.
template <typename Key>
void RemoveFirst(std::vector<OfferedResponse>& list, std::string_view value, Key key) {
    const auto found = std::find_if(list.begin(), list.end(), [&](const OfferedResponse& r) {
        return EqualsNoCase(r.*key, value);
    });
    if (found != list.end()) {
        list.erase(found);
    }
}

}  // namespace

TestEngine::TestEngine(Dialogue& dialogue, Environment& environment, const PartySettings& party,
                       RandomSource& random, TestDisplay& display)
    : dialogue_(dialogue),
      environment_(environment),
      display_(display),
      substitution_(environment, party, random,
                    [this](const std::string& warning) { NoteMessage(warning); }),
      random_(random) {
    environment_.SetJournal(&journal_);
}

TestEngine::~TestEngine() {
    environment_.SetJournal(nullptr);
}

void TestEngine::NoteMessage(const std::string& text) {
    messages_.push_back(text);
    display_.AddMessage(text);
}

DialogueNode* TestEngine::FindNode(std::string_view name) {
    DialogueNode* node = names_.Find(name);
    if (node == nullptr || !EqualsNoCase(node->GetName(), name)) {
        // Missing or renamed since the index was made: the tree changed, so index it anew.
        names_ = NodeNameIndex(dialogue_);
        node = names_.Find(name);
    }
    return node;
}

void TestEngine::EnterNode(DialogueNode& node) {
    if (steps_.empty()) {
        journal_.clear();  // nothing to step back to: the undo log need not grow
    }
    entriesWithoutInput_ = 0;
    Run(&node);
}

void TestEngine::Run(DialogueNode* node) {
    while (node != nullptr) {
        ++entriesWithoutInput_;
        node = VisitNode(*node);
    }
}

// One visit; answers the node a blank-text goto entered in its place, which replaces the
// rest of this visit.
DialogueNode* TestEngine::VisitNode(DialogueNode& node) {
    currentNode_ = &node;
    messages_.clear();
    display_.ClearMessages();
    SetReplyMode(false);
    gotoPending_ = branchArmed_ = awaitingReply_ = listStarted_ = false;
    display_.SetField(TestField::kNode, node.GetName());
    ShowNodeText();
    ShowNodeCommands();
    ExecuteNodeCommands();
    if (chainedNode_ != nullptr) {
        return std::exchange(chainedNode_, nullptr);
    }
    FinishVisit();
    return nullptr;
}

void TestEngine::FinishVisit() {
    if (!listStarted_) {
        ApplyResponses();
    }
    if (!gotoPending_ && !branchArmed_ && !listStarted_) {
        ShowResponses();
    }
}

void TestEngine::ShowNodeText() {
    const std::string shown = substitution_.SubstituteVariables(currentNode_->GetText());
    display_.SetNodeText(shown, currentNode_->IsTextRich());
    shownText_ = shown;
    shownTextIsRich_ = currentNode_->IsTextRich();
    nodeTextEmpty_ = NodeTextPreview(shown, currentNode_->IsTextRich()).empty();
}

void TestEngine::ShowNodeCommands() {
    display_.ClearCommands();
    for (const auto& command : currentNode_->Commands()) {
        display_.AddCommand({command->GetType(), command->GetTypeName(), command->GetScriptText()});
    }
}

bool TestEngine::ExecuteNodeCommands() {
    for (const auto& command : currentNode_->Commands()) {
        if (!ExecuteCommand(*command)) {
            return false;
        }
    }
    return true;
}

bool TestEngine::ExecuteCommand(const NodeCommand& command) {
    substitution_.RefreshRandomValues();
    try {
        command.Execute(environment_);
        return true;
    } catch (const RuntimeError& e) {
        return Ask(std::string(kExecuting) + command.GetText() +
                   "\nDescription: " + e.GetMessage() +
                   "\nDo you want to finish executing the remaining commands in this node?");
    } catch (const ControlFlowException& e) {
        return HandleTransfer(command, e);
    }
}

bool TestEngine::HandleTransfer(const NodeCommand& command, const ControlFlowException& e) {
    switch (e.GetKind()) {
        case ControlFlowException::END:
            EndConversation();
            return false;
        case ControlFlowException::GOTO:
            HandleGoto(command, e.GetFirstText());
            return false;
        case ControlFlowException::BRANCH:
            StartBranch(&command, e, true);
            return false;
        case ControlFlowException::REPLY:
            replyCommand_ = &command;
            AwaitReply(e.GetFirstText());
            return false;
        case ControlFlowException::LIST:
            StartList(&command, e, true);
            return false;
        default:
            return true;
    }
}

void TestEngine::HandleGoto(const NodeCommand& command, const std::string& name) {
    gotoPending_ = true;
    gotoNode_ = FindNode(name);
    if (gotoNode_ == nullptr) {
        ReportMissingNode(command.GetText(), name, true);
        ClearRows();
    } else if (!nodeTextEmpty_) {
        ClearRows();
        AddRow("Continue");
    } else if (entriesWithoutInput_ >= kMaxEntriesWithoutInput) {
        gotoNode_ = nullptr;
        display_.ShowMessage(
            MessageKind::kError, kRuntimeErrorCaption,
            std::string(kExecuting) + command.GetText() +
                "\nDescription: " + FormatInt(kMaxEntriesWithoutInput) +
                " nodes were entered one after another without any input from the user; "
                "the gotos between nodes without text go round in a loop." +
                std::string(kUnableToContinue),
            MessageButtons::kOk);
        ClearOffered();
    } else {
        ApplyResponses();
        chainedNode_ = gotoNode_;
    }
}

void TestEngine::EndConversation() {
    NoteMessage("*** Conversation Ended. ***");
    ClearOffered();
}

void TestEngine::ClearOffered() {
    ClearRows();
    shownResponses_.clear();
}

void TestEngine::ClearForRestart() {
    ClearOffered();
    listActive_ = false;
}

bool TestEngine::ApplyResponses() {
    for (const auto& response : currentNode_->Responses()) {
        const bool goOn =
            response->GetType() == kResponseAdd ? AddResponse(*response) : CutResponse(*response);
        if (!goOn) {
            return false;
        }
    }
    return true;
}

// Only a condition that yields the boolean true applies the response.
bool TestEngine::AddResponse(const NodeResponse& response) {
    try {
        const Value holds = response.Evaluate(environment_);
        if (!holds.IsBoolean() || !holds.GetBoolean()) {
            return true;
        }
    } catch (const RuntimeError& e) {
        const std::string condition =
            response.HasCondition() ? response.GetCondition()->GetExpression() : std::string();
        return Ask("A runtime error occurred while evaluating response condition: " + condition +
                   "\nDescription: " + e.GetMessage() +
                   "\nDo you want to finish evaluating the remaining responses in this node?");
    }
    const auto& add = static_cast<const NodeResponseAdd&>(response);
    OfferedResponse offered{add.GetTag(), add.GetPlayerText(), add.GetGotoNode()};
    RemoveFirst(shownResponses_, offered.playerText, &OfferedResponse::playerText);
    // The put-aside offer is replaced the same way, or a node visited twice during a list
    // would offer its choices twice once the list ends.
    RemoveFirst(savedResponses_, offered.playerText, &OfferedResponse::playerText);
    savedResponses_.push_back(offered);
    shownResponses_.push_back(std::move(offered));
    return true;
}

bool TestEngine::CutResponse(const NodeResponse& response) {
    const std::string& tag = static_cast<const NodeResponseCut&>(response).GetCutTag();
    RemoveFirst(shownResponses_, tag, &OfferedResponse::tag);
    RemoveFirst(savedResponses_, tag, &OfferedResponse::tag);
    return true;
}

void TestEngine::ShowResponses() {
    ClearRows();
    for (const OfferedResponse& response : shownResponses_) {
        AddRow(substitution_.SubstituteVariables(response.playerText));
    }
}

// A branch typed by the user that names a missing node changes nothing: what was offered
// stays offered and selectable.
void TestEngine::StartBranch(const NodeCommand* command, const ControlFlowException& e,
                             bool fatal) {
    const std::array<DialogueNode*, 2> nodes{FindNode(e.GetText(2)), FindNode(e.GetText(4))};
    const std::string text = command != nullptr ? command->GetText() : "branch";
    const std::size_t missing = nodes[0] == nullptr ? 2 : nodes[1] == nullptr ? 4 : 0;
    if (!fatal && missing != 0) {
        ReportMissingNode(text, e.GetText(missing), false);
        return;
    }
    branchNodes_ = nodes;
    ClearRows();
    AddRow(substitution_.SubstituteVariables(e.GetText(1)));
    AddRow(substitution_.SubstituteVariables(e.GetText(3)));
    if (missing == 0) {
        branchArmed_ = true;
        return;
    }
    ReportMissingNode(text, e.GetText(missing), true);
    ClearOffered();
}

// Entry k of a list has its choice in text 2k+1 and its node in text 2k+2; the last
// entry leaves the list. A list typed by the user that names a missing node changes
// nothing, like a branch.
void TestEngine::StartList(const NodeCommand* command, const ControlFlowException& e, bool fatal) {
    const auto capacity = static_cast<std::int32_t>((e.GetTexts().size() - 1) / 2);
    const auto count =
        static_cast<std::size_t>(std::clamp(StrToLong32(e.GetFirstText()), 0, capacity));
    if (count == 0) {
        // Every entry's condition was false. A list with nothing to choose could never be
        // left, so it is not started: what was on offer stays on offer.
        NoteMessage("no entry of the list is on offer");
        return;
    }
    std::vector<DialogueNode*> nodes(count);
    std::size_t missing = count;
    for (std::size_t k = 0; k < count; ++k) {
        nodes[k] = FindNode(e.GetText(2 * k + 2));
        if (nodes[k] == nullptr && missing == count) {
            missing = k;
        }
    }
    const std::string text = command != nullptr ? command->GetText() : "list";
    if (!fatal && missing != count) {
        ReportMissingNode(text, e.GetText(2 * missing + 2), false);
        return;
    }
    savedResponses_ = shownResponses_;
    shownResponses_.clear();
    for (std::size_t k = 0; k < count; ++k) {
        if (k == missing) {
            ReportMissingNode(text, e.GetText(2 * k + 2), true);
            ClearOffered();
            return;
        }
        shownResponses_.push_back({"", e.GetText(2 * k + 1), e.GetText(2 * k + 2)});
    }
    listExitNode_ = nodes.back();
    ClearRows();
    for (std::size_t k = 0; k < count; ++k) {
        AddRow(substitution_.SubstituteVariables(e.GetText(2 * k + 1)));
    }
    listStarted_ = listActive_ = true;
}

void TestEngine::AwaitReply(const std::string& variable) {
    replyVariable_ = variable;
    awaitingReply_ = true;
    SetReplyMode(true);
}

void TestEngine::SelectResponse(std::optional<std::size_t> row) {
    if (!row || *row >= rows_.size()) {
        return;
    }
    if (!gotoPending_ && !branchArmed_ && *row >= shownResponses_.size()) {
        return;
    }
    entriesWithoutInput_ = 0;
    RecordStep(rows_[*row]);
    lastResponse_ = rows_[*row];
    display_.SetField(TestField::kLastResponse, rows_[*row]);
    if (gotoPending_) {
        Run(gotoNode_);
        return;
    }
    if (branchArmed_) {
        Run(branchNodes_[*row == 0 ? 0 : 1]);
        return;
    }
    const OfferedResponse chosen = shownResponses_[*row];
    DialogueNode* node = FindNode(chosen.gotoNode);
    if (node == nullptr) {
        display_.ShowMessage(MessageKind::kError, kRuntimeErrorCaption,
                             "A runtime error occurred while executing the response.\n"
                             "Description: " +
                                 NoSuchNode(chosen.gotoNode) + std::string(kUnableToContinue),
                             MessageButtons::kOk);
        ClearOffered();
        return;
    }
    if (listActive_ && node == listExitNode_) {
        shownResponses_ = savedResponses_;
        ShowResponses();
        listActive_ = false;
    } else if (listActive_) {
        RemoveFirst(shownResponses_, chosen.playerText, &OfferedResponse::playerText);
    }
    Run(node);
}

void TestEngine::EnterReply(std::string_view typed) {
    if (!awaitingReply_) {
        return;
    }
    std::string reply = Trim(typed.substr(0, std::min(typed.size(), kMaxTypedReply)));
    if (reply.empty()) {
        display_.ShowMessage(MessageKind::kError, "Error", "Please enter a response.",
                             MessageButtons::kOk);
        return;
    }
    RecordStep(reply);
    environment_.Set(replyVariable_, Value(std::move(reply)));
    display_.ClearTypedResponse();
    SetReplyMode(false);
    awaitingReply_ = false;
    entriesWithoutInput_ = 0;
    ExecuteCommandsAfter(replyCommand_);
    if (chainedNode_ != nullptr) {
        Run(std::exchange(chainedNode_, nullptr));
        return;
    }
    FinishVisit();
}

bool TestEngine::ExecuteCommandsAfter(const NodeCommand* command) {
    const auto& commands = currentNode_->Commands();
    auto next = std::find_if(commands.begin(), commands.end(),
                             [command](const auto& c) { return c.get() == command; });
    if (next == commands.end()) {
        return true;
    }
    for (++next; next != commands.end(); ++next) {
        if (!ExecuteCommand(**next)) {
            return false;
        }
    }
    return true;
}

void TestEngine::HandleCustomTransfer(const std::string& commandText,
                                      const ControlFlowException& e) {
    switch (e.GetKind()) {
        case ControlFlowException::BRANCH:
            StartBranch(nullptr, e, false);
            break;
        case ControlFlowException::LIST:
            StartList(nullptr, e, false);
            break;
        case ControlFlowException::END:
            EndConversation();
            break;
        case ControlFlowException::GOTO:
            if (DialogueNode* node = FindNode(e.GetFirstText())) {
                EnterNode(*node);
            } else {
                ReportMissingNode(commandText, e.GetFirstText(), false);
            }
            break;
        case ControlFlowException::REPLY:
            AwaitReply(e.GetFirstText());
            break;
        default:
            break;
    }
}

void TestEngine::SetReplyMode(bool awaiting) {
    display_.EnableControl(TestControl::kEnter, awaiting);
    display_.EnableControl(TestControl::kTypedResponse, awaiting);
    display_.EnableControl(TestControl::kResponses, !awaiting);
    display_.EnableControl(TestControl::kSelectResponse, !awaiting);
}

void TestEngine::ClearRows() {
    rows_.clear();
    display_.ClearResponses();
}

void TestEngine::AddRow(const std::string& text) {
    rows_.push_back(text);
    display_.AddResponse(text);
}

bool TestEngine::Ask(std::string_view text) {
    return display_.ShowMessage(MessageKind::kError, kRuntimeErrorCaption, text,
                                MessageButtons::kYesNo) == MessageAnswer::kYes;
}

void TestEngine::ReportMissingNode(std::string_view commandText, std::string_view name,
                                   bool fatal) {
    std::string text =
        std::string(kExecuting) + std::string(commandText) + "\nDescription: " + NoSuchNode(name);
    if (fatal) {
        text += kUnableToContinue;
    }
    display_.ShowMessage(MessageKind::kError, kRuntimeErrorCaption, text, MessageButtons::kOk);
}

}  // namespace tw
