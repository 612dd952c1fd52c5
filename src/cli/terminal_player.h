#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "cli/line_reader.h"
#include "tester/state_editor.h"
#include "tester/test_display.h"
#include "tester/test_session.h"

namespace tw::cli {

// The tester in a terminal: shows what the tester window shows as text, reads the user's
// commands and the answers to its questions from one input, and drives a TestSession.
class TerminalPlayer final : public TestDisplay, public StateEditorHost {
public:
    // echoInput: input lines are written to the output (input read from a script);
    // otherwise a prompt is written before each line is read. transcript, when given,
    // receives everything the output does and every input line.
    TerminalPlayer(std::istream& in, std::ostream& out, std::ostream* transcript, bool echoInput,
                   std::filesystem::path defaultStateFile);

    // Starts the session and runs commands until quit, the end of input, an input line
    // longer than the limit or an output that can no longer be written.
    void Play(TestSession& session);
    // As Play, with the run entering start after the initialization node's commands.
    void PlayFrom(TestSession& session, DialogueNode& start);
    // Why reading the input stopped early ("line N is longer than ..."), if it did.
    const std::optional<std::string>& InputError() const { return inputError_; }
    void SetMaxLineBytes(std::uint64_t maxBytes) { lines_.SetMaxBytes(maxBytes); }
    void SetMaxStateFileBytes(std::uint64_t maxBytes) { maxStateFileBytes_ = maxBytes; }

    // TestDisplay
    MessageAnswer ShowMessage(MessageKind kind, std::string_view caption, std::string_view text,
                              MessageButtons buttons) override;
    void SetField(TestField field, const std::string& text) override;
    void SetNodeText(const std::string& text, bool isRich) override;
    void ClearCommands() override;
    void AddCommand(const CommandRow& row) override;
    void ClearResponses() override;
    void AddResponse(const std::string& text) override;
    void ClearMessages() override;
    void AddMessage(const std::string& text) override;
    void EnableControl(TestControl control, bool enabled) override;
    void ClearTypedResponse() override {}

    // StateEditorHost
    void RunStateEditor(Environment& environment, bool loadDefaultState) override;

private:
    class StateDialog;
    // What the next opening of the state editor does, besides showing nothing.
    struct StateAction {
        enum Kind { kNone, kShow, kLoad, kSet } kind = kNone;
        std::string file;
        std::string name;
        std::string value;
    };

    bool RunCommand(TestSession& session, const std::string& line);
    bool RunStateCommand(TestSession& session, std::string_view verb, std::string_view rest);
    void ChooseResponse(TestSession& session, std::string_view number);
    void StepBack(TestSession& session, std::string_view number);
    void PrintHistory(TestSession& session);
    void RunCommands(TestSession& session);
    void ApplyStateAction(StateEditor& editor);
    void PrintEnvironment(const StateEditor& editor);
    std::optional<std::string> ReadLine(std::string_view prompt);
    MessageAnswer ReadAnswer(MessageButtons buttons);
    void Write(std::string_view text);
    void Changed() { isScreenStale_ = true; }
    void PrintScreenIfStale();
    void PrintScreen();

    std::istream& in_;
    LineReader lines_;
    std::optional<std::string> inputError_;
    std::uint64_t maxStateFileBytes_ = kMaxStateFileBytes;
    std::ostream& out_;
    std::ostream* transcript_;
    bool echoInput_;
    std::filesystem::path defaultStateFile_;
    StateAction stateAction_;

    bool isScreenStale_ = false;
    std::string node_;
    std::string lastResponse_;
    std::string text_;
    std::vector<CommandRow> commands_;
    std::vector<std::string> messages_;
    std::vector<std::string> responses_;
    bool awaitsReply_ = false;
};

}  // namespace tw::cli
