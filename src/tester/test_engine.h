#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/node_name_index.h"
#include "script/environment.h"
#include "script/script_errors.h"
#include "tester/run_state.h"
#include "tester/text_substitution.h"

namespace tw {

class Dialogue;
class DialogueNode;
class Environment;
class NodeCommand;
class NodeResponse;
class PartySettings;
class RandomSource;
class TestDisplay;
struct RunStep;

// Nodes that may be entered one after another without input from the user before the
// engine decides the dialogue loops.
inline constexpr int kMaxEntriesWithoutInput = 1000;

// The message an END adds to the visit's message list.
inline constexpr std::string_view kConversationEndedMessage = "*** Conversation Ended. ***";

// Plays a compiled dialogue: enters nodes, runs their commands against the environment,
// follows the control transfers they raise and offers the player's responses, all through
// a display. Every node entry goes through one loop, so no run grows the stack.
class TestEngine {
public:
    // The dialogue must have been compiled: commands and conditions run compiled.
    TestEngine(Dialogue& dialogue, Environment& environment, const PartySettings& party,
               RandomSource& random, TestDisplay& display);
    ~TestEngine();
    TestEngine(const TestEngine&) = delete;
    TestEngine& operator=(const TestEngine&) = delete;

    // Enters a node on the user's behalf (start, restart, a typed goto).
    void EnterNode(DialogueNode& node);
    // Runs every command of a node for its effect on the environment alone: nothing is
    // shown or entered; runtime errors and control transfers skip to the next command.
    void RunCommandsSilently(const DialogueNode& node);
    // The choices and typed replies made so far, oldest first.
    const std::vector<RunStep>& Steps() const { return steps_; }
    // Returns to the moment before step index was taken: node, text, offered responses,
    // messages, environment and random numbers as they were; later steps are forgotten.
    // False when there is no such step.
    bool StepBackTo(std::size_t index);
    bool StepBack();
    // "Select Response" with the selected row of the Responses list box, if any.
    void SelectResponse(std::optional<std::size_t> row);
    // "Enter" with the text of the typed-response edit.
    void EnterReply(std::string_view typed);

    // Control transfers raised by a command typed into the tester window.
    void HandleCustomTransfer(const std::string& commandText, const ControlFlowException& e);
    // Restart: the Responses list box and the offered responses are emptied and list mode
    // ends, so that no choice of the new run is taken for an entry of an old list.
    void ClearForRestart();

    TextSubstitution& Substitution() { return substitution_; }

    // The run state as it stands; with the environment it is all that decides what the run
    // does next.
    RunState CurrentRunState() const;
    // Puts a run state back, as stepping back does, but leaves the environment, the display
    // and the messages alone and forgets the history: for playing many roads from one
    // moment without showing them.
    void RestoreRunState(const RunState& state);
    // While a message box is up: the command being executed, or the response whose condition
    // is being evaluated, if any; so a display can tell which row of the node failed.
    const NodeCommand* ExecutingCommand() const { return executingCommand_; }
    const NodeResponse* EvaluatingResponse() const { return evaluatingResponse_; }

    // The run state, for displays and tests.
    const DialogueNode* CurrentNode() const { return currentNode_; }
    const std::vector<OfferedResponse>& ShownResponses() const { return shownResponses_; }
    const std::vector<OfferedResponse>& SavedResponses() const { return savedResponses_; }
    const std::vector<std::string>& ResponseRows() const { return rows_; }
    bool IsGotoPending() const { return gotoPending_; }
    bool IsBranchArmed() const { return branchArmed_; }
    bool IsListStarted() const { return listStarted_; }
    bool IsListActive() const { return listActive_; }
    bool IsAwaitingReply() const { return awaitingReply_; }
    bool IsNodeTextEmpty() const { return nodeTextEmpty_; }

private:
    void Run(DialogueNode* node);
    void RecordStep(std::string choice);
    void RestoreStep(RunStep& step);
    void PutBack(RunState state);
    void ShowRestored(const RunStep& step);
    void NoteMessage(const std::string& text);
    DialogueNode* VisitNode(DialogueNode& node);
    void ShowNodeText();
    void ShowNodeCommands();
    bool ExecuteNodeCommands();
    bool ExecuteCommand(const NodeCommand& command);
    bool HandleTransfer(const NodeCommand& command, const ControlFlowException& e);
    void HandleGoto(const NodeCommand& command, const std::string& name);
    bool ExecuteCommandsAfter(const NodeCommand* command);
    void FinishVisit();
    bool ApplyResponses();
    bool AddResponse(const NodeResponse& response);
    bool CutResponse(const NodeResponse& response);
    void ShowResponses();
    void StartBranch(const NodeCommand* command, const ControlFlowException& e, bool fatal);
    void StartList(const NodeCommand* command, const ControlFlowException& e, bool fatal);
    void AwaitReply(const std::string& variable);
    void EndConversation();
    void ClearOffered();

    void SetReplyMode(bool awaiting);
    void ClearRows();
    void AddRow(const std::string& text);
    bool Ask(std::string_view text);
    // FindNodeByName through an index, so a run's gotos and choices cost the same in a
    // dialogue of any size.
    DialogueNode* FindNode(std::string_view name);
    void ReportMissingNode(std::string_view commandText, std::string_view name, bool fatal);

    Dialogue& dialogue_;
    Environment& environment_;
    TestDisplay& display_;
    TextSubstitution substitution_;
    NodeNameIndex names_;  // made at the first look-up, again when the tree has changed

    DialogueNode* currentNode_ = nullptr;
    std::vector<OfferedResponse> shownResponses_;
    std::vector<OfferedResponse> savedResponses_;
    std::vector<std::string> rows_;  // what the Responses list box shows
    bool gotoPending_ = false;
    DialogueNode* gotoNode_ = nullptr;
    bool branchArmed_ = false;
    std::array<DialogueNode*, 2> branchNodes_{};
    bool listStarted_ = false;
    bool listActive_ = false;
    DialogueNode* listExitNode_ = nullptr;
    bool awaitingReply_ = false;
    std::string replyVariable_;
    const NodeCommand* replyCommand_ = nullptr;
    bool nodeTextEmpty_ = false;
    const NodeCommand* executingCommand_ = nullptr;
    const NodeResponse* evaluatingResponse_ = nullptr;

    // A goto to a node without text enters it at once: the visit ends and the node
    // waits here for the entry loop.
    DialogueNode* chainedNode_ = nullptr;
    int entriesWithoutInput_ = 0;
    // What stepping back needs to put back on the display.
    RandomSource& random_;
    std::string shownText_;
    bool shownTextIsRich_ = false;
    std::string lastResponse_;
    std::vector<std::string> messages_;
    EnvironmentJournal journal_;
    std::vector<RunStep> steps_;
};

}  // namespace tw
