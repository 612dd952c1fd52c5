#include "generator/dialogue_generator.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "model/command_kinds.h"
#include "model/text/rich_text.h"
#include "model/text/rtf_writer.h"
#include "base/byte_string.h"

namespace tw {
namespace {

// splitmix64: the same numbers on every platform and standard library, which the standard
// distributions do not promise.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30U)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27U)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31U);
    }
    // 0 to n - 1.
    std::size_t Below(std::size_t n) { return static_cast<std::size_t>(Next() % n); }
    bool Chance(std::size_t percent) { return Below(100) < percent; }
    template <typename T, std::size_t N>
    const T& Pick(const std::array<T, N>& items) {
        return items[Below(N)];
    }

private:
    std::uint64_t state_;
};

// Deepest nesting of generated nodes below the initialization node.
constexpr std::size_t kMaxDepth = 40;
// Cut-responses take one of the most recent tags, as writers cut what was just offered.
constexpr std::size_t kRecentTags = 64;

constexpr std::array<std::string_view, 16> kTopics = {
    "Greet",  "Rumours", "Trade",   "Quest",  "Farewell", "Tavern", "Harbour", "Smithy",
    "Temple", "Bounty",  "Weather", "Family", "Debt",     "Map",    "Riddle",  "Bribe"};

constexpr std::array<std::string_view, 8> kDescriptions = {"",
                                                           "",
                                                           "",
                                                           "first meeting",
                                                           "asks about the road",
                                                           "haggling",
                                                           "after the fight",
                                                           "late at night"};

// Windows-1252 text with accents, curly quotes, an ellipsis, RTF's special characters and
// the variables the tester substitutes.
constexpr std::array<std::string_view, 12> kSentences = {
    "Welcome to the Gilded Tankard, $playerName!",
    "Our caf\xE9 serves the best stew in Vorunda.",
    "Bj\xF6rn the smith swears the fa\xE7"
    "ade will hold another winter.",
    "Don't be na\xEFve: the harbour master counts every coin.",
    "\x93Gold speaks louder than oaths,\x94 as my father said.",
    "You carry $gold crowns; that buys a bed, not a ship.",
    "Se\xF1or Alvarez paid in foreign coin\x85 again.",
    "$PRnd looks at you; $H hand rests on the hilt.",
    "I had a d\xE9j\xE0 vu when the bells rang.",
    "The \xFC"
    "ber-priest of the temple wants a word with you.",
    "Roll the dice, stranger: $rand.",
    "Half the {toll} goes to the guild, the rest\\to the crown.",
};

constexpr std::array<std::string_view, 10> kPlayerLines = {
    "Tell me more.",
    "What's the news from the harbour?",
    "I'll pay $gold crowns, not a copper more.",
    "Caf\xE9, please, and something to eat.",
    "Who is Bj\xF6rn?",
    "I need a room for the night.",
    "Let's talk about the bounty.",
    "Never mind\x85",
    "Farewell.",
    "Can $PRnd come along?",
};

constexpr std::array<std::string_view, 6> kNodeComments = {
    "", "", "", "TODO: check the tone", "reached from the harbour quest", "voice: gruff"};

constexpr std::array<std::string_view, 8> kConditions = {
    "$gold > 5",      "kQuest3",
    "not kAngry",     "$reputation >= 2 and $day < 10",
    "$mood = 'calm'", "kBribed or $gold < 3",
    "$visits > 1",    "not (kAngry and kBribed)"};

constexpr std::array<std::string_view, 6> kManualLines = {
    "$visits = $visits + 1",
    "if ($gold > 10) then set kBribed = TRUE",
    "if $reputation > 3 then $mood = 'warm' else $mood = 'cold'",
    "$gold = $gold - 5",
    "$day = $day + 1",
    "set kAngry = $reputation < 0",
};

constexpr std::array<TextColor, 4> kColors = {TextColor{0, 0, 0}, TextColor{192, 0, 0},
                                              TextColor{0, 0, 160}, TextColor{0, 128, 0}};

std::string FlagName(Random& random) {
    return "kQuest" + FormatInt(static_cast<std::int64_t>(random.Below(40)));
}

std::string ResponseTag(std::size_t index) {
    char tag[32];
    std::snprintf(tag, sizeof tag, "%c%02zu", static_cast<char>('A' + index % 26), index / 26 + 1);
    return tag;
}

TextStyle RandomStyle(Random& random) {
    TextStyle style;
    style.bold = random.Chance(25);
    style.italic = random.Chance(20);
    style.underline = random.Chance(10);
    style.color = random.Chance(20) ? random.Pick(kColors) : TextColor{};
    return style;
}

// The builder of one dialogue: the tree first, then each node's content, so that commands
// and responses can name nodes created after them.
class Generator {
public:
    explicit Generator(const GeneratorOptions& options)
        : random_(options.seed), dialogue_(std::make_unique<Dialogue>()) {
        nodes_.reserve(static_cast<std::size_t>(std::max(options.nodes, 1)));
        nodes_.push_back(&dialogue_->Root());
        BuildTree(options.nodes);
    }

    std::unique_ptr<Dialogue> Finish() {
        FillDocument();
        FillRoot(dialogue_->Root());
        for (std::size_t id = 1; id < nodes_.size(); ++id) {
            FillNode(*nodes_[id], id);
        }
        dialogue_->SetNextNodeId(static_cast<std::int32_t>(nodes_.size()));
        dialogue_->SetModified(false);
        return std::move(dialogue_);
    }

private:
    // A walk that goes deeper, stays with the siblings or climbs a few levels, so depth and
    // fan-out vary; the path from the root to the last node is all it keeps.
    void BuildTree(std::int32_t count) {
        std::vector<DialogueNode*> path{&dialogue_->Root()};
        for (std::int32_t id = 1; id < count; ++id) {
            const std::size_t move = random_.Below(100);
            if (move >= 45 || path.size() >= kMaxDepth) {
                std::size_t climb = move >= 80 ? random_.Below(4) + 2 : 1;
                while (climb-- > 0 && path.size() > 1) {
                    path.pop_back();
                }
            }
            std::string name = std::string(random_.Pick(kTopics)) + FormatInt(id);
            DialogueNode& node = dialogue_->AppendNode(*path.back(), id, std::move(name),
                                                       std::string(random_.Pick(kDescriptions)));
            nodes_.push_back(&node);
            path.push_back(&node);
        }
    }

    void FillDocument() {
        dialogue_->Npc().id = static_cast<std::int32_t>(random_.Below(1000));
        dialogue_->Npc().name = "Ma\xEEtre Orvane the Ferryman";
        dialogue_->Npc().gender = static_cast<std::int32_t>(random_.Below(2));
        dialogue_->SetComments(
            "\x02"
            "BPortrait:\x03"
            "B\n"
            "A wiry man with a \x02"
            "Icaf\xE9\x03"
            "I-au-lait voice and \x04\xC0\x01\x01"
            "red\x04\x01\x01\x01 boots.\n\n"
            "\x02"
            "B\x02"
            "UFlags and Variables:\x03"
            "U\n\x03"
            "BkQuest0 to kQuest39\n$gold\n"
            "$reputation\n\n\x02"
            "BVersion History:\n\x03"
            "BVersion 0.1 - generated");
    }

    // The initialization node sets up every variable the other nodes read, then goes on.
    void FillRoot(DialogueNode& root) {
        static constexpr std::array<std::array<std::string_view, 2>, 8> kSetup = {{
            {"gold", "20"},
            {"$reputation", "2"},
            {"$day", "1"},
            {"$visits", "0"},
            {"$mood", "'calm'"},
            {"$playerName", "'Traveller'"},
            {"$answer", "''"},
            {"$randmax", "6"},
        }};
        for (const auto& [variable, value] : kSetup) {
            root.AppendCommand(
                std::make_unique<CommandVariable>(std::string(variable), std::string(value)));
        }
        root.AppendCommand(std::make_unique<CommandFlag>(false, "kAngry"));
        root.AppendCommand(std::make_unique<CommandFlag>(false, "kBribed"));
        if (!root.Children().empty()) {
            root.AppendCommand(std::make_unique<CommandGoto>(root.Children().front()->GetName()));
        }
    }

    void FillNode(DialogueNode& node, std::size_t id) {
        FillText(node);
        node.SetComments(std::string(random_.Pick(kNodeComments)));
        // The first nodes carry one command of each kind, so that every kind is present in
        // any dialogue of ten nodes or more.
        const std::int32_t forced =
            id <= kCommandTypeCount ? static_cast<std::int32_t>(id - 1) : -1;
        FillCommands(node, forced);
        FillResponses(node, id);
    }

    void FillText(DialogueNode& node) {
        const std::size_t form = random_.Below(10);
        if (form == 0) {
            return;  // an empty text: a goto from here enters its target at once
        }
        RichText rich;
        const std::size_t sentences = random_.Below(4) + 1;
        for (std::size_t i = 0; i < sentences; ++i) {
            if (i > 0) {
                AppendText(rich, {}, random_.Chance(20) ? "\n" : " ");
            }
            AppendText(rich, RandomStyle(random_), random_.Pick(kSentences));
        }
        node.SetTextRich(form >= 3);
        node.SetText(form >= 3 ? WriteRtf(rich) : PlainText(rich));
    }

    void FillCommands(DialogueNode& node, std::int32_t forced) {
        static constexpr std::array<std::int32_t, 4> kPlain = {
            kCommandFlag, kCommandVariable, kCommandConditionalVariable, kCommandManual};
        static constexpr std::array<std::int32_t, 5> kTransfers = {
            kCommandGoto, kCommandYesNo, kCommandList, kCommandReply, kCommandEnd};
        const bool forcedTransfer = forced >= 0 && std::find(kTransfers.begin(), kTransfers.end(),
                                                             forced) != kTransfers.end();
        if (forced >= 0 && !forcedTransfer) {
            AppendCommand(node, forced);
        }
        for (std::size_t i = random_.Below(4); i > 0; --i) {
            AppendCommand(node, random_.Pick(kPlain));
        }
        if (forcedTransfer) {
            AppendCommand(node, forced);
        } else if (random_.Chance(35)) {
            AppendCommand(node, random_.Pick(kTransfers));
        }
    }

    void AppendCommand(DialogueNode& node, std::int32_t kind) {
        std::unique_ptr<NodeCommand> command = MakeCommand(node, kind);
        if (kind != kCommandList && random_.Chance(20)) {
            command->SetCondition(
                std::make_unique<Conditional>(std::string(random_.Pick(kConditions))));
        }
        node.AppendCommand(std::move(command));
    }

    std::unique_ptr<NodeCommand> MakeCommand(DialogueNode& node, std::int32_t kind) {
        switch (kind) {
            case kCommandFlag:
                return std::make_unique<CommandFlag>(random_.Chance(70), FlagName(random_));
            case kCommandVariable:
                return std::make_unique<CommandVariable>(
                    "gold",
                    "$gold + " + FormatInt(static_cast<std::int64_t>(random_.Below(20) + 1)));
            case kCommandConditionalVariable:
                return std::make_unique<CommandConditionalVariable>("$mood", "$reputation > 2",
                                                                    "'friendly'", "'wary'");
            case kCommandManual:
                return std::make_unique<CommandManual>(std::string(random_.Pick(kManualLines)));
            case kCommandGoto:
                return std::make_unique<CommandGoto>(Target(node, 0));
            case kCommandYesNo:
                return std::make_unique<CommandYesNo>(
                    CommandYesNo::Strings{"Yes, gladly.", "Not today, se\xF1or."},
                    CommandYesNo::Strings{Target(node, 0), Target(node, 1)});
            case kCommandList:
                return MakeList(node);
            case kCommandReply:
                return std::make_unique<CommandReply>("$answer");
            default:
                return std::make_unique<CommandEnd>();
        }
    }

    std::unique_ptr<NodeCommand> MakeList(DialogueNode& node) {
        CommandList::Strings choices;
        CommandList::Strings targets;
        CommandList::Conditions conditions;
        for (std::size_t i = 0; i < CommandList::kEntries; ++i) {
            if (random_.Chance(40)) {
                choices[i] = std::string(random_.Pick(kPlayerLines));
                targets[i] = Target(node, i);
                if (random_.Chance(30)) {
                    conditions[i].SetExpression(std::string(random_.Pick(kConditions)));
                }
            }
        }
        const DialogueNode* exit = node.Parent()->GetId() != 0 ? node.Parent() : &node;
        return std::make_unique<CommandList>(std::move(choices), std::move(targets),
                                             std::move(conditions), "That is all.",
                                             exit->GetName());
    }

    void FillResponses(DialogueNode& node, std::size_t id) {
        const std::size_t adds = std::max<std::size_t>(random_.Below(4), id == 1 ? 1 : 0);
        for (std::size_t i = 0; i < adds; ++i) {
            auto response = std::make_unique<NodeResponseAdd>(ResponseTag(playerTexts_.size()));
            response->SetPlayerText(std::string(random_.Pick(kPlayerLines)));
            response->SetGotoNode(Target(node, i));
            if (random_.Chance(25) || (id == 1 && i == 0)) {
                response->SetCondition(
                    std::make_unique<Conditional>(std::string(random_.Pick(kConditions))));
            }
            playerTexts_.push_back(response->GetPlayerText());
            node.AppendResponse(std::move(response));
        }
        if (!playerTexts_.empty() && (random_.Chance(20) || id == 2)) {
            AppendCut(node);
        }
    }

    void AppendCut(DialogueNode& node) {
        const std::size_t recent = std::min(playerTexts_.size(), kRecentTags);
        const std::size_t index = playerTexts_.size() - 1 - random_.Below(recent);
        auto response = std::make_unique<NodeResponseCut>();
        response->SetCutTag(ResponseTag(index));
        response->SetCutText(playerTexts_[index]);
        if (random_.Chance(30)) {
            response->SetCondition(
                std::make_unique<Conditional>(std::string(random_.Pick(kConditions))));
        }
        node.AppendResponse(std::move(response));
    }

    // The name of a node to go to: mostly the node's own children in turn, else its parent
    // or any node of the dialogue. Never the initialization node: its name has a blank,
    // which the branching commands can't name.
    std::string Target(const DialogueNode& node, std::size_t index) {
        const auto& children = node.Children();
        if (!children.empty() && random_.Chance(85)) {
            return children[index % children.size()]->GetName();
        }
        if (node.Parent() != nullptr && node.Parent()->GetId() != 0 && random_.Chance(50)) {
            return node.Parent()->GetName();
        }
        return nodes_[1 + random_.Below(nodes_.size() - 1)]->GetName();
    }

    Random random_;
    std::unique_ptr<Dialogue> dialogue_;
    std::vector<DialogueNode*> nodes_;      // by id
    std::vector<std::string> playerTexts_;  // of each add-response, by tag index
};

}  // namespace

std::unique_ptr<Dialogue> GenerateDialogue(const GeneratorOptions& options) {
    return Generator(options).Finish();
}

}  // namespace tw
