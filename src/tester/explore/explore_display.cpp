#include "tester/explore/explore_display.h"

#include "tester/explore/dialogue_tally.h"
#include "tester/explore/explore_options.h"
#include "tester/state_editor.h"
#include "tester/test_engine.h"

namespace tw {

// The state editor's boxes and error list, kept as messages of the start.
class ExploreDisplay::StateDialog : public StateEditorDisplay {
public:
    explicit StateDialog(std::vector<std::string>* messages) : messages_(messages) {}
    MessageAnswer ShowMessage(MessageKind, std::string_view, std::string_view text,
                              MessageButtons) override {
        Keep(std::string(text));
        return MessageAnswer::kOk;
    }
    void ShowErrors(const std::vector<std::string>& errors) override {
        for (const std::string& error : errors) {
            Keep(error);
        }
    }

private:
    void Keep(std::string text) {
        if (messages_ != nullptr) {
            messages_->push_back(std::move(text));
        }
    }
    std::vector<std::string>* messages_;
};

ExploreDisplay::ExploreDisplay(DialogueTally& tally, const ExploreOptions& options)
    : tally_(tally), options_(options) {}

void ExploreDisplay::BeginStep(std::vector<bool> answers, bool ended) {
    inStep_ = true;
    ended_ = ended;
    asked_ = 0;
    answers_ = std::move(answers);
    failures_.clear();
}

MessageAnswer ExploreDisplay::ShowMessage(MessageKind, std::string_view caption,
                                          std::string_view text, MessageButtons buttons) {
    if (inStep_ && caption == "Runtime Error") {
        StepFailure failure;
        if (engine_ != nullptr) {
            failure.node = engine_->CurrentNode();
            failure.command = engine_->ExecutingCommand();
            failure.response = engine_->EvaluatingResponse();
        }
        failure.text = std::string(text);
        failure.answersBefore = asked_;
        failures_.push_back(std::move(failure));
    }
    if (buttons != MessageButtons::kYesNo) {
        return MessageAnswer::kOk;
    }
    if (asked_ == answers_.size()) {
        answers_.push_back(true);
    }
    return answers_[asked_++] ? MessageAnswer::kYes : MessageAnswer::kNo;
}

// The node field is set once at the start of every visit.
void ExploreDisplay::SetField(TestField field, const std::string&) {
    if (inStep_ && field == TestField::kNode && engine_ != nullptr) {
        tally_.MarkEntered(engine_->CurrentNode());
    }
}

void ExploreDisplay::AddMessage(const std::string& text) {
    if (text == kConversationEndedMessage) {
        ended_ = true;
    }
}

// Loads the state file as the state editor does when a test starts, then applies its lists
// as closing it does. Only the first start's messages are kept: every start reads the same.
void ExploreDisplay::RunStateEditor(Environment& environment, bool loadDefaultState) {
    StateDialog dialog(stateLoaded_ ? nullptr : &stateMessages_);
    stateLoaded_ = true;
    StateEditor editor(environment, dialog);
    editor.SetMaxFileBytes(options_.maxStateFileBytes);
    const bool load = loadDefaultState && !options_.stateFile.empty();
    editor.Open(load ? &options_.stateFile : nullptr);
    editor.Ok();
}

}  // namespace tw
