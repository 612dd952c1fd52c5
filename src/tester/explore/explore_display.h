#pragma once

// The tester's display as the explorer drives it: it shows nothing, answers the questions
// of a step from a script of answers (yes once the script runs out), and notes what the
// step met: runtime errors, nodes entered, the end of the conversation. It is also the
// state editor at the start of a test, loading the state file.

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "tester/test_display.h"
#include "tester/test_session.h"

namespace tw {

class DialogueTally;
class NodeCommand;
class NodeResponse;
struct ExploreOptions;

// A runtime error reported in a step, and where the run stood.
struct StepFailure {
    const DialogueNode* node = nullptr;
    const NodeCommand* command = nullptr;    // the command being executed, if any
    const NodeResponse* response = nullptr;  // the response whose condition failed, if any
    std::string text;                        // the message box's text
    std::size_t answersBefore = 0;           // questions answered before it in the step
};

class ExploreDisplay final : public TestDisplay, public StateEditorHost {
public:
    ExploreDisplay(DialogueTally& tally, const ExploreOptions& options);
    void SetEngine(const TestEngine* engine) { engine_ = engine; }

    // A step starts from a moment that has ended or not; its questions are answered from
    // answers, in order, then yes.
    void BeginStep(std::vector<bool> answers, bool ended);
    void EndStep() {
        inStep_ = false;
        answers_.resize(asked_);
    }
    bool IsEnded() const { return ended_; }
    // Every answer given in the step, the scripted ones first.
    const std::vector<bool>& Answers() const { return answers_; }
    const std::vector<StepFailure>& Failures() const { return failures_; }
    // What the state editor reported when the state file was loaded.
    const std::vector<std::string>& StateMessages() const { return stateMessages_; }

    MessageAnswer ShowMessage(MessageKind kind, std::string_view caption, std::string_view text,
                              MessageButtons buttons) override;
    void SetField(TestField field, const std::string& text) override;
    void SetNodeText(const std::string&, bool) override {}
    void ClearCommands() override {}
    void AddCommand(const CommandRow&) override {}
    void ClearResponses() override {}
    void AddResponse(const std::string&) override {}
    void ClearMessages() override { ended_ = false; }
    void AddMessage(const std::string& text) override;
    void EnableControl(TestControl, bool) override {}
    void ClearTypedResponse() override {}

    void RunStateEditor(Environment& environment, bool loadDefaultState) override;

private:
    class StateDialog;

    DialogueTally& tally_;
    const ExploreOptions& options_;
    const TestEngine* engine_ = nullptr;
    bool inStep_ = false;
    bool ended_ = false;
    std::size_t asked_ = 0;
    std::vector<bool> answers_;
    std::vector<StepFailure> failures_;
    std::vector<std::string> stateMessages_;
    bool stateLoaded_ = false;
};

}  // namespace tw
