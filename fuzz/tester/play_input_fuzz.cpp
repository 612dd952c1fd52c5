// Plays a small dialogue that uses every control transfer with arbitrary bytes as the
// terminal player's input: commands, replies, answers and custom statements.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>

#include "cli/terminal_player.h"
#include "model/command_kinds.h"
#include "model/dialogue.h"
#include "tester/party_settings.h"
#include "tester/random_source.h"
#include "tester/test_session.h"

namespace {

void AddResponse(tw::DialogueNode& node, const char* tag, const char* text, const char* target,
                 const char* condition = nullptr) {
    auto response = std::make_unique<tw::NodeResponseAdd>(tag);
    response->SetPlayerText(text);
    response->SetGotoNode(target);
    if (condition != nullptr) {
        response->SetCondition(std::make_unique<tw::Conditional>(condition));
    }
    node.AppendResponse(std::move(response));
}

void Build(tw::Dialogue& dialogue) {
    tw::DialogueNode& root = dialogue.Root();
    root.SetName("Start");
    root.SetText("Hello $PRnd, roll $rand of $randmax. $who");
    auto manual = [](tw::DialogueNode& node, const char* text) {
        node.AppendCommand(std::make_unique<tw::CommandManual>(text));
    };
    manual(root, "reply $name");
    manual(root, "$count = $count + 1");
    AddResponse(root, "A01", "Ask $name", "Ask");
    AddResponse(root, "A02", "List", "Menu", "$count < 5");
    AddResponse(root, "A03", "Bye", "Bye");
    tw::DialogueNode& ask = dialogue.AppendNode(root, 1, "Ask");
    ask.SetText("{\\rtf1 Sure?\\par}");
    ask.SetTextRich(true);
    manual(ask, "branch \"Yes\"->Blank, \"No\"->Start");
    tw::DialogueNode& blank = dialogue.AppendNode(root, 2, "Blank");
    manual(blank, "goto Start");
    tw::DialogueNode& menu = dialogue.AppendNode(root, 3, "Menu");
    menu.SetText("Pick.");
    manual(menu, "$x = 1 / $count");
    manual(menu, "list \"a\"->Blank, \"b\"->Ask, \"c\"->Missing, \"back\"->Start");
    tw::DialogueNode& bye = dialogue.AppendNode(root, 4, "Bye");
    bye.SetText("Bye.");
    manual(bye, "END CONVERSATION");
    AddResponse(bye, "B01", "Again", "Start");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tw::Dialogue dialogue;
    Build(dialogue);
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::ostringstream out;
    tw::cli::TerminalPlayer player(in, out, nullptr, true, {});
    player.SetMaxLineBytes(256);  // small, so the refusal of a long line is reached too
    tw::PartySettings party;
    tw::RandomSource random(1);
    tw::TestSession session(dialogue, party, random, player, player);
    if (!session.CompileErrors().empty()) {
        __builtin_trap();
    }
    player.Play(session);
    return 0;
}
