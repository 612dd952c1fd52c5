// Runs the tester's sessions of cases/state_and_party.txt: each line is a series of
// operations separated by ";" on a new state editor over an empty environment and the
// default party (and its dialog), in a new folder; roads, recordings and the party's texts
// are asked of the same session. The answer is what the operations answered, then both
// lists as the window shows them, the environment, and every message box and error list the
// editor showed.

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "script/environment.h"
#include "support/line_cases.h"
#include "support/temp_dir.h"
#include "tester/node_text_preview.h"
#include "tester/party_dialog_rules.h"
#include "tester/party_settings.h"
#include "tester/random_source.h"
#include "tester/road.h"
#include "tester/scripted_message_boxes.h"
#include "tester/state_editor.h"
#include "tester/state_file.h"
#include "tester/text_substitution.h"

namespace tw {
namespace {

// Test double for the state editor's window: records its message boxes and error lists.
class RecordingStateDisplay : public StateEditorDisplay {
public:
    MessageAnswer ShowMessage(MessageKind kind, std::string_view caption, std::string_view text,
                              MessageButtons buttons) override {
        return script.Show(kind, caption, text, buttons);
    }
    void ShowErrors(const std::vector<std::string>& errors) override {
        errorLists.push_back(errors);
    }

    MessageScript script;
    std::vector<std::vector<std::string>> errorLists;
};

// "text" a string, true/false a boolean, a number with a point a real, else an integer.
Value ValueOf(const std::string& text) {
    if (text.starts_with('"')) {
        return Value(text.substr(1, text.size() - 2));
    }
    if (text == "true" || text == "false") {
        return Value(text == "true");
    }
    return text.find('.') != std::string::npos ? Value(std::stod(text))
                                               : Value(static_cast<std::int32_t>(std::stoi(text)));
}

std::string Rows(const std::vector<StateRow>& rows) {
    std::string said;
    for (const StateRow& row : rows) {
        said += "[" + row.name + "=" + row.value + "]";
    }
    return said;
}

// Shows CR as \r, so the file's line ends can be read in the answer.
std::string Visible(const std::string& bytes) {
    std::string shown;
    for (char c : bytes) {
        shown += c == '\r'   ? std::string("\\r")
                 : c == '\n' ? std::string("\\n")
                             : std::string(1, c);
    }
    return shown;
}

class StateSession {
public:
    std::string Run(const std::string& line) {
        std::istringstream ops(line);
        std::string said;
        for (std::string op; std::getline(ops, op, ';');) {
            const std::string answer = Do(op.substr(op.find_first_not_of(' ')));
            said += answer.empty() ? "" : answer + " ";
        }
        said += "\nvariables " + Rows(editor_->Rows(StateList::kVariables)) + " flags " +
                Rows(editor_->Rows(StateList::kFlags));
        if (!crowded_) {  // seeded party defaults are many: "get" shows those that matter
            said += "\nenvironment";
            for (const auto& [name, value] : *environment_) {
                said += " " + Shown(name);
            }
        }
        for (std::size_t i = 0; i < display_.script.messages.size(); ++i) {
            const ShownMessage& shown = display_.script.messages[i];
            said += "\nbox " + std::to_string(static_cast<int>(display_.script.kinds[i])) + "/" +
                    std::to_string(static_cast<int>(shown.buttons)) + " " + shown.caption + ": " +
                    Visible(shown.text);
        }
        for (const auto& errors : display_.errorLists) {
            said += "\nerror list";
            for (const std::string& error : errors) {
                said += "\n  " + error;
            }
        }
        return said;
    }

private:
    std::string Shown(const std::string& name) const {
        const Value value = environment_->Get(name);
        return name + "=" + ValueTypeName(value.GetType()) + ":" + value.ToString();
    }

    // The party's members (+ alive, - not) and settings.
    std::string Party() const {
        std::string said = "party";
        for (std::size_t slot = 0; slot < PartySettings::kSlotCount; ++slot) {
            said += " [" + party_.names[slot] + (party_.alive[slot] ? "+]" : "-]");
        }
        return said + " gender " + std::to_string(party_.gender) + " size " +
               std::to_string(party_.partySize) + " time " + std::to_string(party_.time) +
               " weather " + std::to_string(party_.weather);
    }

    // "party gender|size|time|weather N", "party dead SLOT", "party member SLOT alive|dead NAME".
    void SetParty(std::istream& in) {
        std::string field;
        in >> field;
        std::int32_t number = 0;
        if (field == "member") {
            std::string state, name;
            in >> number >> state >> std::ws;
            std::getline(in, name);
            party_.SetMember(name, state == "alive", static_cast<std::size_t>(number));
            return;
        }
        in >> number;
        if (field == "dead") {
            party_.alive.at(static_cast<std::size_t>(number)) = false;
        } else {
            (field == "gender" ? party_.gender
             : field == "size" ? party_.partySize
             : field == "time" ? party_.time
                               : party_.weather) = number;
        }
    }

    // The party dialog's fields: player, companions (a row's index in the list, + alive),
    // size, time and weather as typed or chosen.
    std::string Dialog() const {
        std::string said = "dialog [" + dialog_.playerName + "]" + (dialog_.isFemale ? " F" : " M");
        for (std::size_t row = 0; row < kCompanionRows; ++row) {
            said += " " + std::to_string(dialog_.companion[row]) +
                    (dialog_.companionAlive[row] ? "+" : "-");
        }
        return said + " size [" + dialog_.partySizeText + "] time [" + dialog_.timeText +
               "] weather " + std::to_string(dialog_.weatherIndex);
    }

    // "type player|size|time TEXT", "type female", "type weather N", "type row N INDEX alive|dead".
    void TypeIntoDialog(std::istream& in) {
        std::string field, text;
        in >> field;
        if (field == "row") {
            std::size_t row = 0;
            in >> row >> dialog_.companion.at(row) >> text;
            dialog_.companionAlive.at(row) = text == "alive";
            return;
        }
        in.get();
        std::getline(in, text);
        if (field == "female") {
            dialog_.isFemale = true;
        } else if (field == "weather") {
            dialog_.weatherIndex = std::stoi(text);
        } else {
            (field == "player" ? dialog_.playerName
             : field == "size" ? dialog_.partySizeText
                               : dialog_.timeText) = text;
        }
    }

    // A road's lines, split at "|": its start answers and steps, or a refusal.
    static std::string RoadOf(const std::string& text) {
        std::vector<std::string> lines;
        std::istringstream in(text + "|");  // an empty text is one empty line
        for (std::string line; std::getline(in, line, '|');) {
            lines.push_back(line);
        }
        const std::optional<Road> road = ParseRoad(lines);
        if (!road) {
            return "refused";
        }
        const auto answers = [](const std::vector<MessageAnswer>& list) {
            std::string said;
            for (const MessageAnswer answer : list) {
                said += " " + AnswerLine(answer);
            }
            return said;
        };
        std::string said = "start" + answers(road->startAnswers);
        for (const RoadStep& step : road->steps) {
            said += step.isReply ? " / reply [" + step.reply + "]"
                                 : " / row " + std::to_string(step.row);
            said += answers(step.answers);
        }
        return said;
    }

    static StateList ListOf(const std::string& word) {
        return word == "flags" ? StateList::kFlags : StateList::kVariables;
    }

    std::string Do(const std::string& op) {
        std::istringstream words(op);
        std::string name;
        words >> name;
        std::string rest;
        std::getline(words >> std::ws, rest);
        std::istringstream in(rest);
        const std::string path = (directory_ / rest);
        if (name == "set") {  // NAME VALUE, straight into the environment
            const std::size_t space = rest.find(' ');
            environment_->Set(rest.substr(0, space), ValueOf(rest.substr(space + 1)));
        } else if (name == "fill") {
            editor_->FillLists();
        } else if (name == "edit") {  // LIST ROW name|value TEXT (the text up to the ";")
            std::string list, column;
            std::size_t row = 0;
            in >> list >> row >> column;
            in.get();
            std::string text;
            std::getline(in, text);
            return "[" +
                   editor_->EditCell(ListOf(list), row,
                                     column == "name" ? StateColumn::kName : StateColumn::kValue,
                                     text) +
                   "]";
        } else if (name == "delete") {  // LIST ROW...
            std::string list;
            in >> list;
            std::vector<std::size_t> rows;
            for (std::size_t row = 0; in >> row;) {
                rows.push_back(row);
            }
            editor_->DeleteRows(ListOf(list), rows);
        } else if (name == "entryrows") {
            return "entry rows " + std::to_string(editor_->EntryRow(StateList::kVariables)) + "/" +
                   std::to_string(editor_->EntryRow(StateList::kFlags));
        } else if (name == "answer") {  // the answer to the next question
            display_.script.answers.push_back(rest == "ok" ? MessageAnswer::kOk
                                                           : MessageAnswer::kCancel);
        } else if (name == "ok") {
            return editor_->Ok() ? "accepted" : "kept open";
        } else if (name == "clearall") {
            editor_->ClearAll();
        } else if (name == "save") {
            editor_->SaveStateToFile(path);
        } else if (name == "load") {
            editor_->LoadStateFromFile(path);
        } else if (name == "open") {  // the default state file, or none
            const std::filesystem::path file = path;
            editor_->Open(rest == "none" ? nullptr : &file);
        } else if (name == "limit") {
            editor_->SetMaxFileBytes(std::stoull(rest));
        } else if (name == "write") {  // FILE TEXT, with \n for a line end
            const std::size_t space = rest.find(' ');
            std::string text = rest.substr(space + 1);
            for (std::size_t at; (at = text.find("\\n")) != std::string::npos;) {
                text.replace(at, 2, "\n");
            }
            test::WriteBytes(directory_ / rest.substr(0, space), text);
        } else if (name == "cat") {
            return std::filesystem::exists(path) ? "file [" + Visible(test::ReadBytes(path)) + "]"
                                                 : "no file";
        } else if (name == "party") {
            SetParty(in);
        } else if (name == "seed") {
            SeedPartyDefaults(*environment_, party_);
            crowded_ = true;
        } else if (name == "readback") {
            ReadPartyBack(*environment_, party_);
            return Party();
        } else if (name == "sync") {
            SyncPartySettings(*environment_, party_);
            crowded_ = true;
            return Party();
        } else if (name == "get") {  // NAME...
            std::string said;
            for (std::string variable; in >> variable;) {
                said += (said.empty() ? "" : " ") + Shown(variable);
            }
            return said;
        } else if (name == "sizerule") {  // the size as typed: the size, a correction, rows on
            const PartySizeRule rule = ApplyPartySizeRule(op.substr(name.size() + 1));
            std::string rows;
            for (const bool enabled : rule.rowEnabled) {
                rows += enabled ? '1' : '0';
            }
            return "size " + std::to_string(rule.partySize) + " [" +
                   rule.replacementText.value_or("kept") + "] rows " + rows;
        } else if (name == "dialog") {  // the party dialog opened on the party
            dialog_ = OpenPartyDialog(party_);
            return Dialog();
        } else if (name == "type") {
            TypeIntoDialog(in);
        } else if (name == "accept") {
            const std::optional<std::string> error = AcceptPartyDialog(dialog_, party_);
            return (error ? "refused: " + *error + " " : "") + Party();
        } else if (name == "road") {  // LINE|LINE...
            return RoadOf(op.substr(name.size() + 1));
        } else if (name == "answerlines") {  // how each answer is written in a road
            return AnswerLine(MessageAnswer::kOk) + " " + AnswerLine(MessageAnswer::kCancel) + " " +
                   AnswerLine(MessageAnswer::kYes) + " " + AnswerLine(MessageAnswer::kNo);
        } else if (name == "recording") {  // DIALOGUE SEED START|LINE|LINE... (no start: -)
            RecordingSetting setting;
            std::string start, lines;
            in >> setting.dialogue >> setting.seed >> start >> std::ws;
            setting.start = start == "-" ? "" : start;
            std::vector<std::string> list;
            while (std::getline(in, lines, '|')) {
                list.push_back(lines);
            }
            return Visible(RecordingText(setting, list));
        } else if (name == "pronoun") {  // the rest of the op is the name
            return PronounFor(op.substr(name.size() + 1));
        } else if (name == "members") {  // who 200 draws of a random party member give
            RandomSource random{1};
            TextSubstitution substitution(*environment_, party_, random, [](const std::string&) {});
            std::set<std::string> drawn;
            for (int i = 0; i < 200; ++i) {
                drawn.insert(substitution.RandomPartyMember());
            }
            std::string said = "drawn";
            for (const std::string& member : drawn) {
                said += " [" + member + "]";
            }
            return said;
        } else if (name == "preview" || name == "plaintext") {  // plain|rich TEXT (\xNN a byte)
            std::string form, text;
            in >> form;
            in.get();
            std::getline(in, text);
            text = test::Unescaped(text);
            return "[" +
                   (name == "preview" ? NodeTextPreview(text, form == "rich")
                                      : PlainNodeText(text, form == "rich")) +
                   "]";
        } else if (name == "loaderrors") {  // a state text of far too many failing lines
            std::string text;
            for (std::size_t i = 0; i < kMaxListedStateErrors + 250; ++i) {
                text += "$ok" + std::to_string(i) + " = 1\nbad\n";
            }
            const std::vector<std::string> errors =
                LoadStateText(*environment_, text, "state ", StateErrorForm::kMessageOnly);
            crowded_ = true;
            return std::to_string(errors.size()) + " listed: [" + errors.front() + "] [" +
                   errors[kMaxListedStateErrors - 1] + "] [" + errors.back() + "], " +
                   std::to_string(environment_->size()) + " set";
        } else if (name == "aliveflag") {  // the flag of the member named by the rest
            return "[" + AliveFlagName(op.substr(name.size() + 1)) + "]";
        } else if (name == "fresh") {  // a new editor over a new environment, same folder
            environment_ = std::make_unique<Environment>();
            editor_ = std::make_unique<StateEditor>(*environment_, display_);
        } else {
            ADD_FAILURE() << "unknown operation " << name;
        }
        return "";
    }

    test::TempDir directory_;
    PartySettings party_;
    PartyDialogFields dialog_;
    bool crowded_ = false;
    RecordingStateDisplay display_;
    std::unique_ptr<Environment> environment_ = std::make_unique<Environment>();
    std::unique_ptr<StateEditor> editor_ = std::make_unique<StateEditor>(*environment_, display_);
};

TEST(StateAndPartyCases, SessionsAnswerAsListed) {
    test::ExpectLineCases(std::string(TW_SOURCE_DIR) + "/tests/tester/cases/state_and_party.txt",
                          [](const std::string& line) { return StateSession().Run(line); });
}

}  // namespace
}  // namespace tw
