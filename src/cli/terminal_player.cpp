#include "cli/terminal_player.h"

#include <algorithm>
#include <istream>
#include <ostream>

#include "base/byte_string.h"
#include "base/windows1252.h"
#include "cli/typed_text.h"
#include "model/text/rtf_reader.h"
#include "script/excerpt.h"
#include "tester/run_step.h"

namespace tw::cli {
namespace {

constexpr std::string_view kHelp =
    "Commands:\n"
    "  NUMBER            choose the offered response with that number\n"
    "  say TEXT          type TEXT as the awaited reply and press Enter\n"
    "  do STATEMENT      execute a custom command (any script statement)\n"
    "  env               show the environment: variables and flags\n"
    "  load FILE         load a state file into the environment\n"
    "  set NAME = VALUE  set a variable ($NAME) or a flag (NAME)\n"
    "  restart           restart the dialogue at its initialization node\n"
    "  back [N]          step back before the last choice or reply (or before entry N)\n"
    "  history           list the nodes entered and the choices made\n"
    "  show              show the screen again\n"
    "  quit              end the test (asks first)\n"
    "  help              list these commands\n"
    "Blank lines and lines starting with # are ignored. Questions are answered with\n"
    "yes or no, ok or cancel.\n";

// Every line of a text indented by two spaces; CR LF and lone CR end lines too.
std::string Indented(std::string_view text) {
    std::string result = "  ";
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        if (text[i] == '\n' || text[i] == '\r') {
            result += "\n  ";
        } else {
            result += text[i];
        }
    }
    return result + '\n';
}

std::string_view ButtonsPrompt(MessageButtons buttons) {
    return buttons == MessageButtons::kYesNo ? "(yes/no)> " : "(ok/cancel)> ";
}

std::optional<MessageAnswer> ParseAnswer(std::string_view word, MessageButtons buttons) {
    const std::string answer = ToLowerAscii(Trim(word));
    if (buttons == MessageButtons::kYesNo) {
        if (answer == "yes" || answer == "y") {
            return MessageAnswer::kYes;
        }
        if (answer == "no" || answer == "n") {
            return MessageAnswer::kNo;
        }
    } else if (answer == "ok") {
        return MessageAnswer::kOk;
    } else if (answer == "cancel") {
        return MessageAnswer::kCancel;
    }
    return std::nullopt;
}

// Response and history entry numbers; no count of rows comes near it.
constexpr std::size_t kMaxOrdinal = 999999999;

}  // namespace

// The state editor's message boxes and error list go to the terminal too.
class TerminalPlayer::StateDialog : public StateEditorDisplay {
public:
    explicit StateDialog(TerminalPlayer& player) : player_(player) {}
    MessageAnswer ShowMessage(MessageKind kind, std::string_view caption, std::string_view text,
                              MessageButtons buttons) override {
        return player_.ShowMessage(kind, caption, text, buttons);
    }
    void ShowErrors(const std::vector<std::string>& errors) override {
        player_.Write("[Syntax Errors]\n");
        for (const std::string& error : errors) {
            player_.Write(Indented(error));
        }
    }

private:
    TerminalPlayer& player_;
};

TerminalPlayer::TerminalPlayer(std::istream& in, std::ostream& out, std::ostream* transcript,
                               bool echoInput, std::filesystem::path defaultStateFile)
    : in_(in),
      lines_(in),
      out_(out),
      transcript_(transcript),
      echoInput_(echoInput),
      defaultStateFile_(std::move(defaultStateFile)) {}

void TerminalPlayer::Play(TestSession& session) {
    session.Start();
    RunCommands(session);
}

void TerminalPlayer::PlayFrom(TestSession& session, DialogueNode& start) {
    session.StartAt(start);
    RunCommands(session);
}

void TerminalPlayer::RunCommands(TestSession& session) {
    PrintScreenIfStale();
    while (const std::optional<std::string> line = ReadLine("> ")) {
        if (!RunCommand(session, *line) || !out_) {
            return;
        }
        PrintScreenIfStale();
    }
    if (!echoInput_) {
        out_ << '\n';  // ends the last prompt's line
    }
}

// Answers false when the test ends. The dialogue gets what was typed as Windows-1252; only
// a file name keeps the bytes it was typed with.
bool TerminalPlayer::RunCommand(TestSession& session, const std::string& line) {
    const std::string typed = Trim(line);
    if (typed.empty() || typed[0] == '#') {
        return true;
    }
    if (IsWholeNumber(typed)) {
        ChooseResponse(session, typed);
        return true;
    }
    const std::size_t space = std::min(typed.find_first_of(" \t"), typed.size());
    const std::string verb = ToLowerAscii(TypedToWindows1252(typed.substr(0, space)));
    const std::string rawRest = Trim(std::string_view(typed).substr(space));
    const std::string rest = TypedToWindows1252(rawRest);
    if (verb == "say") {
        if (!session.Engine().IsAwaitingReply()) {
            Write("(no typed reply is awaited)\n");
        }
        session.Engine().EnterReply(rest);
    } else if (verb == "do") {
        session.ExecuteCustomCommand(rest);
    } else if (verb == "restart") {
        session.RestartDialogue();
    } else if (verb == "back") {
        StepBack(session, rest);
    } else if (verb == "history") {
        PrintHistory(session);
    } else if (verb == "show") {
        PrintScreen();
    } else if (verb == "help") {
        Write(kHelp);
    } else if (verb == "quit") {
        return !session.QuitTest();
    } else if (!RunStateCommand(session, verb, verb == "load" ? rawRest : rest)) {
        Write("(unknown command '" + Excerpt(verb) + "'; type help for the commands)\n");
    }
    return true;
}

bool TerminalPlayer::RunStateCommand(TestSession& session, std::string_view verb,
                                     std::string_view rest) {
    if (verb == "env") {
        stateAction_ = {StateAction::kShow, {}, {}, {}};
    } else if (verb == "load") {
        stateAction_ = {StateAction::kLoad, std::string(rest), {}, {}};
    } else if (verb == "set") {
        const std::size_t equals = rest.find('=');
        if (equals == std::string_view::npos || Trim(rest.substr(0, equals)).empty()) {
            Write("(usage: set NAME = VALUE)\n");
            return true;
        }
        stateAction_ = {
            StateAction::kSet, {}, Trim(rest.substr(0, equals)), Trim(rest.substr(equals + 1))};
    } else {
        return false;
    }
    session.ViewEnvironmentState();
    return true;
}

// Entries are numbered from 1 as history lists them; without a number the last one.
void TerminalPlayer::StepBack(TestSession& session, std::string_view number) {
    if (session.Engine().Steps().empty()) {
        Write("(nothing to step back over)\n");
        return;
    }
    if (number.empty()) {
        session.StepBack();
        return;
    }
    const std::optional<std::size_t> entry = OrdinalUpTo(number, kMaxOrdinal);
    if (!entry || !session.StepBackTo(*entry - 1)) {
        Write("(no history entry numbered " + Excerpt(number) + ")\n");
    }
}

void TerminalPlayer::PrintHistory(TestSession& session) {
    const auto& steps = session.Engine().Steps();
    if (steps.empty()) {
        Write("History: (none)\n");
        return;
    }
    std::string text = "History:\n";
    for (std::size_t i = 0; i < steps.size(); ++i) {
        text += "  " + std::to_string(i + 1) + ". " + steps[i].nodeName + " -> " + steps[i].choice +
                "\n";
    }
    Write(text);
}

void TerminalPlayer::ChooseResponse(TestSession& session, std::string_view number) {
    const std::optional<std::size_t> choice = OrdinalUpTo(number, responses_.size());
    if (awaitsReply_) {
        Write("(a typed reply is awaited: say TEXT)\n");
    } else if (!choice) {
        Write("(no response numbered " + Excerpt(number) + ")\n");
    } else {
        session.Engine().SelectResponse(*choice - 1);
    }
}

void TerminalPlayer::RunStateEditor(Environment& environment, bool loadDefaultState) {
    StateDialog dialog(*this);
    StateEditor editor(environment, dialog);
    editor.SetMaxFileBytes(maxStateFileBytes_);
    const bool hasDefault = loadDefaultState && !defaultStateFile_.empty();
    editor.Open(hasDefault ? &defaultStateFile_ : nullptr);
    ApplyStateAction(editor);
    stateAction_ = {};
    // Closing the editor applies its lists, as its OK does; the terminal cannot keep it
    // open, so a refused apply leaves the environment with the rows that worked.
    editor.Ok();
}

void TerminalPlayer::ApplyStateAction(StateEditor& editor) {
    switch (stateAction_.kind) {
        case StateAction::kShow:
            PrintEnvironment(editor);
            break;
        case StateAction::kLoad:
            editor.LoadStateFromFile(stateAction_.file);
            break;
        case StateAction::kSet: {
            const StateList list =
                stateAction_.name[0] == '$' ? StateList::kVariables : StateList::kFlags;
            const std::size_t row = editor.EntryRow(list);
            editor.EditCell(list, row, StateColumn::kName, stateAction_.name);
            editor.EditCell(list, row, StateColumn::kValue, stateAction_.value);
            break;
        }
        case StateAction::kNone:
            break;
    }
}

void TerminalPlayer::PrintEnvironment(const StateEditor& editor) {
    for (const StateList list : {StateList::kVariables, StateList::kFlags}) {
        Write(list == StateList::kVariables ? "Variables:\n" : "Flags:\n");
        const std::vector<StateRow>& rows = editor.Rows(list);
        for (std::size_t row = 0; row < editor.EntryRow(list); ++row) {
            Write("  " + rows[row].name + " = " + rows[row].value + "\n");
        }
    }
}

// The terminal shows every kind of message alike, headed by its caption.
MessageAnswer TerminalPlayer::ShowMessage(MessageKind, std::string_view caption,
                                          std::string_view text, MessageButtons buttons) {
    PrintScreenIfStale();
    const std::string shown = Indented(text);
    Write("[" + std::string(caption) + "] " + shown.substr(2));
    return buttons == MessageButtons::kOk ? MessageAnswer::kOk : ReadAnswer(buttons);
}

// Reads until a valid answer; the end of input answers No or Cancel. Comment lines of a
// recording are skipped here as at the command prompt.
MessageAnswer TerminalPlayer::ReadAnswer(MessageButtons buttons) {
    const bool isYesNo = buttons == MessageButtons::kYesNo;
    while (const std::optional<std::string> line = ReadLine(ButtonsPrompt(buttons))) {
        if (Trim(*line).starts_with('#')) {
            continue;
        }
        if (const std::optional<MessageAnswer> answer = ParseAnswer(*line, buttons)) {
            return *answer;
        }
        Write(isYesNo ? "(answer yes or no)\n" : "(answer ok or cancel)\n");
    }
    if (!inputError_) {
        Write(isYesNo ? "(end of input: no)\n" : "(end of input: cancel)\n");
    }
    return isYesNo ? MessageAnswer::kNo : MessageAnswer::kCancel;
}

std::optional<std::string> TerminalPlayer::ReadLine(std::string_view prompt) {
    if (inputError_) {
        return std::nullopt;
    }
    if (!echoInput_) {
        out_ << prompt << std::flush;
    }
    std::string line;
    const LineReader::Status status = lines_.Next(line);
    if (status == LineReader::Status::kTooLong) {
        inputError_ = lines_.TooLongMessage();
    }
    if (status != LineReader::Status::kLine) {
        return std::nullopt;
    }
    const std::string shown = TypedToUtf8(line);
    if (echoInput_) {
        out_ << prompt << shown << '\n';
    }
    if (transcript_ != nullptr) {
        *transcript_ << prompt << shown << '\n';
    }
    return line;
}

// The terminal and the transcript get UTF-8.
void TerminalPlayer::Write(std::string_view text) {
    const std::string utf8 = Windows1252ToUtf8(text);
    out_ << utf8;
    if (transcript_ != nullptr) {
        *transcript_ << utf8;
    }
}

void TerminalPlayer::SetField(TestField field, const std::string& text) {
    (field == TestField::kNode ? node_ : lastResponse_) = text;
    Changed();
}

void TerminalPlayer::SetNodeText(const std::string& text, bool isRich) {
    // As the editor's text box shows it: every character escape of the RTF read as its
    // Windows-1252 byte (the export's stripper turns most of them into '!'). The last
    // paragraph's mark starts no line of its own.
    text_ = isRich ? PlainText(ReadRtf(text)) : text;
    while (isRich && !text_.empty() && text_.back() == '\n') {
        text_.pop_back();
    }
    Changed();
}

void TerminalPlayer::ClearCommands() {
    commands_.clear();
    Changed();
}

void TerminalPlayer::AddCommand(const CommandRow& row) {
    commands_.push_back(row);
    Changed();
}

void TerminalPlayer::ClearResponses() {
    responses_.clear();
    Changed();
}

void TerminalPlayer::AddResponse(const std::string& text) {
    responses_.push_back(text);
    Changed();
}

void TerminalPlayer::ClearMessages() {
    messages_.clear();
    Changed();
}

void TerminalPlayer::AddMessage(const std::string& text) {
    messages_.push_back(text);
    Changed();
}

// "Enter" and the typed edit go together, as do the list and "Select Response".
void TerminalPlayer::EnableControl(TestControl control, bool enabled) {
    if (control == TestControl::kEnter && awaitsReply_ != enabled) {
        awaitsReply_ = enabled;
        Changed();
    }
}

void TerminalPlayer::PrintScreenIfStale() {
    if (isScreenStale_) {
        PrintScreen();
    }
}

void TerminalPlayer::PrintScreen() {
    isScreenStale_ = false;
    Write("== " + node_ + " ==\n");
    Write(Trim(text_).empty() ? "  (no text)\n" : Indented(text_));
    if (!commands_.empty()) {
        Write("Commands:\n");
        for (const CommandRow& row : commands_) {
            Write("  " + row.command + ": " + row.text + "\n");
        }
    }
    if (!messages_.empty()) {
        Write("Messages:\n");
        for (const std::string& message : messages_) {
            Write(Indented(message));
        }
    }
    if (!lastResponse_.empty()) {
        Write("Last Response: " + lastResponse_ + "\n");
    }
    Write(responses_.empty() ? "Responses: (none)\n" : "Responses:\n");
    for (std::size_t i = 0; i < responses_.size(); ++i) {
        Write("  " + FormatInt(static_cast<std::int64_t>(i) + 1) + ". " + responses_[i] + "\n");
    }
    if (awaitsReply_) {
        Write("A typed reply is awaited: say TEXT\n");
    }
}

}  // namespace tw::cli
