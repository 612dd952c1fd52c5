#include "model/json_fast_elements.h"

#include <algorithm>
#include <vector>

#include "model/command_kinds.h"
#include "model/dialogue_json.h"

namespace tw::json_fast {
namespace {

constexpr std::array<std::string_view, 7> kResponseKeys = {
    "kind", "tag", "condition", "playerText", "gotoNode", "cutTag", "cutText"};
enum ResponseKey : std::size_t {
    kRKind,
    kRTag,
    kRCondition,
    kRPlayerText,
    kRGoto,
    kRCutTag,
    kRCutText
};

constexpr std::array<std::string_view, 3> kEntryKeys = {"choice", "node", "condition"};

struct Entry {
    Members<kEntryKeys.size()> members;
};

std::vector<Entry> ReadEntries(od::array array) {
    std::vector<Entry> entries;
    entries.reserve(CommandList::kEntries);
    for (od::value element : array) {
        if (entries.size() == CommandList::kEntries) {
            Doubt();
        }
        Entry& entry = entries.emplace_back();
        for (od::field field : element.get_object()) {
            const std::size_t key = KeyIndex(field, kEntryKeys, entry.members.seen);
            entry.members.strings[key] = Bytes(field.value());
        }
    }
    return entries;
}

constexpr std::array<std::string_view, 14> kCommandKeys = {
    "kind",         "text",           "condition",       "set",        "flag",    "variable",
    "test",         "trueExpression", "falseExpression", "expression", "entries", "node",
    "returnChoice", "returnNode"};
enum CommandKey : std::size_t {
    kCKind,
    kCText,
    kCCondition,
    kCSet,
    kCFlag,
    kCVariable,
    kCTest,
    kCTrue,
    kCFalse,
    kCExpression,
    kCEntries,
    kCNode,
    kCReturnChoice,
    kCReturnNode
};

struct CommandMembers {
    Members<kCommandKeys.size()> members;
    std::optional<std::string> condition;
    bool set = false;
    std::vector<Entry> entries;
};

// The entries of a yes/no or list command; a yes/no entry has no condition.
template <std::size_t N>
void TakeEntries(CommandMembers& read, std::array<std::string, N>& choices,
                 std::array<std::string, N>& nodes, std::array<Conditional, N>* conditions) {
    if (read.entries.size() > N) {
        Doubt();
    }
    for (std::size_t i = 0; i < read.entries.size(); ++i) {
        auto& entry = read.entries[i].members;
        if (conditions != nullptr) {
            (*conditions)[i].SetExpression(entry.Take(2));
        } else if (entry.seen.test(2)) {
            Doubt();
        }
        choices[i] = entry.Take(0);
        nodes[i] = entry.Take(1);
    }
}

std::unique_ptr<NodeCommand> BuildCommand(std::size_t kind, CommandMembers& read) {
    auto text = [&](std::size_t key) { return read.members.Take(key); };
    switch (kind) {
        case kCommandManual:
            return std::make_unique<CommandManual>(text(kCText));
        case kCommandFlag:
            return std::make_unique<CommandFlag>(read.set, text(kCFlag));
        case kCommandConditionalVariable:
            return std::make_unique<CommandConditionalVariable>(text(kCVariable), text(kCTest),
                                                                text(kCTrue), text(kCFalse));
        case kCommandVariable:
            return std::make_unique<CommandVariable>(text(kCVariable), text(kCExpression));
        case kCommandYesNo: {
            CommandYesNo::Strings choices, nodes;
            TakeEntries<CommandYesNo::kEntries>(read, choices, nodes, nullptr);
            return std::make_unique<CommandYesNo>(choices, nodes);
        }
        case kCommandEnd:
            return std::make_unique<CommandEnd>();
        case kCommandGoto:
            return std::make_unique<CommandGoto>(text(kCNode));
        case kCommandReply:
            return std::make_unique<CommandReply>(text(kCVariable));
        default: {
            CommandList::Strings choices, nodes;
            CommandList::Conditions conditions;
            TakeEntries<CommandList::kEntries>(read, choices, nodes, &conditions);
            return std::make_unique<CommandList>(choices, nodes, conditions, text(kCReturnChoice),
                                                 text(kCReturnNode));
        }
    }
}

void ReadCommandMember(CommandMembers& read, std::size_t key, od::value value) {
    if (key == kCCondition) {
        read.condition = ConditionBytes(value);
    } else if (key == kCSet) {
        read.set = value.get_bool();
    } else if (key == kCEntries) {
        read.entries = ReadEntries(value.get_array());
    } else {
        read.members.strings[key] = Bytes(value);
    }
}

}  // namespace

std::unique_ptr<NodeResponse> ReadResponse(od::object object) {
    Members<kResponseKeys.size()> members;
    std::optional<std::string> condition;
    for (od::field field : object) {
        const std::size_t key = KeyIndex(field, kResponseKeys, members.seen);
        if (key == kRCondition) {
            condition = ConditionBytes(field.value());
        } else {
            members.strings[key] = Bytes(field.value());
        }
    }
    const std::string kind = members.Take(kRKind);
    std::unique_ptr<NodeResponse> response;
    if (kind == "add") {
        auto add = std::make_unique<NodeResponseAdd>(members.Take(kRTag));
        add->SetPlayerText(members.Take(kRPlayerText));
        add->SetGotoNode(members.Take(kRGoto));
        response = std::move(add);
    } else if (kind == "cut") {
        auto cut = std::make_unique<NodeResponseCut>(members.Take(kRTag));
        cut->SetCutTag(members.Take(kRCutTag));
        cut->SetCutText(members.Take(kRCutText));
        response = std::move(cut);
    } else {
        Doubt();
    }
    response->SetCondition(MakeCondition(std::move(condition)));
    return response;
}

std::unique_ptr<NodeCommand> ReadCommand(od::object object) {
    CommandMembers read;
    for (od::field field : object) {
        ReadCommandMember(read, KeyIndex(field, kCommandKeys, read.members.seen), field.value());
    }
    const std::string kind = read.members.Take(kCKind);
    const auto found = std::find(kCommandKindNames.begin(), kCommandKindNames.end(), kind);
    if (found == kCommandKindNames.end()) {
        Doubt();
    }
    const auto code = static_cast<std::size_t>(found - kCommandKindNames.begin());
    const bool hasText = read.members.seen.test(kCText);
    std::string storedText = code == kCommandManual ? std::string() : read.members.Take(kCText);
    std::unique_ptr<NodeCommand> command = BuildCommand(code, read);
    if (hasText && code != kCommandManual) {
        command->SetText(std::move(storedText));
    }
    command->SetCondition(MakeCondition(std::move(read.condition)));
    return command;
}

}  // namespace tw::json_fast
