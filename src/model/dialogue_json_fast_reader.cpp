// The fast reader: simdjson's On-Demand parser walks the text once and the nodes are built
// as they are read, with no JSON tree at all. It reads only documents it is sure of and
// gives up at any doubt, leaving every message, and every unusual but valid document, to
// the reader from the JSON library's events, so the two can never disagree.

#include <simdjson.h>

#include <algorithm>
#include <array>
#include <bitset>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/dialogue_json.h"
#include "model/dialogue_json_readers.h"
#include "model/json_string_bytes.h"

namespace tw {
namespace {

namespace od = simdjson::ondemand;

// Thrown at the first doubt; simdjson's own errors count as doubts too.
struct GiveUp {};

[[noreturn]] void Doubt() {
    throw GiveUp{};
}

// The text of a string value, from the literal as it stands in the input.
std::string Bytes(od::value value) {
    std::string_view token = value.raw_json_token();
    while (!token.empty() && (token.back() == ' ' || token.back() == '\n' || token.back() == '\r' ||
                              token.back() == '\t')) {
        token.remove_suffix(1);
    }
    if (token.size() < 2 || token.front() != '"' || token.back() != '"') {
        Doubt();
    }
    std::optional<std::string> bytes = JsonStringBytes(token.substr(1, token.size() - 2));
    if (!bytes) {
        Doubt();
    }
    // Consumes the value, so the parser moves past it.
    static_cast<void>(value.get_raw_json_string().value());
    return std::move(*bytes);
}

std::int32_t Int32(od::value value) {
    const std::int64_t number = value.get_int64();
    if (number < std::numeric_limits<std::int32_t>::min() ||
        number > std::numeric_limits<std::int32_t>::max()) {
        Doubt();
    }
    return static_cast<std::int32_t>(number);
}

// A condition: a string, or null for none.
std::optional<std::string> ConditionBytes(od::value value) {
    if (value.type() == od::json_type::null) {
        const bool isNull = value.is_null();
        if (!isNull) {
            Doubt();
        }
        return std::nullopt;
    }
    return Bytes(value);
}

// Set even when there is none, as the full reader does.
std::unique_ptr<Conditional> MakeCondition(std::optional<std::string> condition) {
    return condition ? std::make_unique<Conditional>(std::move(*condition)) : nullptr;
}

// Where the search for the next key starts: after the latest key of the table seen so far.
template <std::size_t N>
std::size_t AfterLatest(const std::bitset<N>& seen) {
    for (std::size_t i = N; i > 0; --i) {
        if (seen.test(i - 1)) {
            return i;
        }
    }
    return 0;
}

// The index of the key among the keys an object may have; a key written with escapes, an
// unknown key or a repeated one is a doubt. Printed documents list the keys in the order
// of the table, so the search starts after the latest one.
template <std::size_t N>
std::size_t KeyIndex(od::field& field, const std::array<std::string_view, N>& keys,
                     std::bitset<N>& seen) {
    const od::raw_json_string key = field.key();
    const char first = *key.raw();
    const std::size_t start = AfterLatest(seen);
    for (std::size_t n = 0; n < N; ++n) {
        const std::size_t i = (start + n) % N;
        if (keys[i].front() == first && key.unsafe_is_equal(keys[i])) {
            if (seen.test(i)) {
                Doubt();
            }
            seen.set(i);
            return i;
        }
    }
    Doubt();
}

// The members of a response or command, read before the kind decides which of them count.
// Every member must be of the type its kind would want.
template <std::size_t N>
struct Members {
    std::array<std::optional<std::string>, N> strings;
    std::bitset<N> seen;
    std::string Take(std::size_t key) { return strings[key] ? std::move(*strings[key]) : ""; }
};

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

constexpr std::array<std::string_view, 9> kNodeKeys = {"depth",       "id",         "name",
                                                       "description", "textIsRich", "text",
                                                       "comments",    "responses",  "commands"};
enum NodeKey : std::size_t {
    kNDepth,
    kNId,
    kNName,
    kNDescription,
    kNRich,
    kNText,
    kNComments,
    kNResponses,
    kNCommands
};

// The node's own fields, read before they are set so that absent ones take their defaults.
struct NodeMembers {
    Members<kNodeKeys.size()> members;
    std::int32_t depth = -1;
    std::int32_t id = 0;
    bool rich = false;
};

void ReadNodeMember(NodeMembers& read, std::size_t key, od::value value, DialogueNode& node) {
    switch (key) {
        case kNDepth:
            read.depth = Int32(value);
            break;
        case kNId:
            read.id = Int32(value);
            break;
        case kNRich:
            read.rich = value.get_bool();
            break;
        case kNResponses:
            for (od::value element : value.get_array()) {
                node.AppendResponse(ReadResponse(element.get_object()));
            }
            break;
        case kNCommands:
            for (od::value element : value.get_array()) {
                node.AppendCommand(ReadCommand(element.get_object()));
            }
            break;
        default:
            read.members.strings[key] = Bytes(value);
            break;
    }
}

// Adds each node as it is read: the root at depth 0, then every other node in pre-order,
// each at most one level deeper than the node before it.
class FastNodes {
public:
    explicit FastNodes(Dialogue& dialogue) : dialogue_(dialogue) {}

    std::size_t Count() const { return count_; }

    void Read(od::object object) {
        std::unique_ptr<DialogueNode> made;
        if (count_ == 0) {
            dialogue_.Root().Clear();
        } else {
            made = std::make_unique<DialogueNode>(0, std::string());
        }
        DialogueNode& node = made != nullptr ? *made : dialogue_.Root();
        NodeMembers read;
        for (od::field field : object) {
            ReadNodeMember(read, KeyIndex(field, kNodeKeys, read.members.seen), field.value(),
                           node);
        }
        SetFields(node, read);
        Place(read.depth, std::move(made));
    }

private:
    static void SetFields(DialogueNode& node, NodeMembers& read) {
        node.SetId(read.id);
        node.SetName(read.members.Take(kNName));
        node.SetDescription(read.members.Take(kNDescription));
        node.SetTextRich(read.rich);
        node.SetText(read.members.Take(kNText));
        node.SetComments(read.members.Take(kNComments));
    }

    void Place(std::int32_t depth, std::unique_ptr<DialogueNode> node) {
        const auto deepest = static_cast<std::int32_t>(path_.size());
        if (count_ == 0 ? depth != 0 : depth < 1 || depth > deepest) {
            Doubt();
        }
        ++count_;
        path_.resize(static_cast<std::size_t>(depth));
        path_.push_back(node == nullptr ? &dialogue_.Root()
                                        : &path_.back()->AppendChild(std::move(node)));
    }

    Dialogue& dialogue_;
    std::vector<DialogueNode*> path_;  // path_[d]: the latest node at depth d
    std::size_t count_ = 0;
};

constexpr std::array<std::string_view, 7> kDocumentKeys = {
    "format", "formatVersion", "fileVersion", "nextNodeId", "npc", "comments", "nodes"};
enum DocumentKey : std::size_t {
    kDFormat,
    kDFormatVersion,
    kDFileVersion,
    kDNext,
    kDNpc,
    kDComments,
    kDNodes
};
constexpr std::array<std::string_view, 3> kNpcKeys = {"id", "name", "gender"};

// Everything but the nodes, set on the document only once all of it has been read.
struct DocumentMembers {
    std::bitset<kDocumentKeys.size()> seen;
    std::int32_t formatVersion = kJsonFormatVersion;
    std::int32_t fileVersion = kCurrentFileVersion;
    std::int32_t nextNodeId = 1;
    std::optional<NPCData> npc;
    std::string comments = DefaultNpcComments();
};

NPCData ReadNpc(od::object object) {
    NPCData npc{0, "Untitled", kMale};
    std::bitset<kNpcKeys.size()> seen;
    for (od::field field : object) {
        const std::size_t key = KeyIndex(field, kNpcKeys, seen);
        if (key == 1) {
            npc.name = Bytes(field.value());
        } else {
            (key == 0 ? npc.id : npc.gender) = Int32(field.value());
        }
    }
    return npc;
}

void ReadDocumentMember(DocumentMembers& read, std::size_t key, od::value value, FastNodes& nodes) {
    switch (key) {
        case kDFormat:
            if (Bytes(value) != kJsonFormatName) {
                Doubt();
            }
            break;
        case kDFormatVersion:
            read.formatVersion = Int32(value);
            break;
        case kDFileVersion:
            read.fileVersion = Int32(value);
            break;
        case kDNext:
            read.nextNodeId = Int32(value);
            break;
        case kDNpc:
            read.npc = ReadNpc(value.get_object());
            break;
        case kDComments:
            read.comments = Bytes(value);
            break;
        default:
            for (od::value element : value.get_array()) {
                nodes.Read(element.get_object());
            }
            break;
    }
}

// Nothing but white space follows the document: there is no place left in it.
bool AtEnd(od::document& document) {
    return document.current_location().error() != simdjson::SUCCESS;
}

void ReadDocument(od::document& document, Dialogue& dialogue) {
    DocumentMembers read;
    FastNodes nodes(dialogue);
    for (od::field field : document.get_object()) {
        ReadDocumentMember(read, KeyIndex(field, kDocumentKeys, read.seen), field.value(), nodes);
    }
    if (!AtEnd(document) || !read.seen.test(kDFormat) || read.formatVersion != kJsonFormatVersion ||
        read.fileVersion < 100 || read.fileVersion > kCurrentFileVersion || nodes.Count() == 0) {
        Doubt();
    }
    dialogue.SetFileVersion(read.fileVersion);
    dialogue.SetNextNodeId(read.nextNodeId);
    if (read.npc) {
        dialogue.Npc() = std::move(*read.npc);
    }
    dialogue.SetComments(std::move(read.comments));
}

static_assert(kJsonReadPadding == simdjson::SIMDJSON_PADDING);

// Texts up to this size reuse one parser and one padded copy per thread, so reading many
// small documents does not map and fault in fresh memory for each; larger ones get their
// own, freed once they are read.
constexpr std::size_t kReusedBytes = std::size_t{16} << 20;

struct ParseBuffers {
    od::parser parser;
    std::string padded;  // the text copied, with room after it
};

bool ReadWith(ParseBuffers& buffers, std::string_view json, Dialogue& dialogue,
              std::size_t readableAfter) {
    simdjson::padded_string_view padded(json.data(), json.size(), json.size() + readableAfter);
    if (readableAfter < kJsonReadPadding) {
        buffers.padded.assign(json);
        buffers.padded.append(kJsonReadPadding, ' ');
        padded =
            simdjson::padded_string_view(buffers.padded.data(), json.size(), buffers.padded.size());
    }
    od::document document = buffers.parser.iterate(padded);
    ReadDocument(document, dialogue);
    return true;
}

}  // namespace

bool ReadDialogueJsonFast(std::string_view json, Dialogue& dialogue, std::size_t readableAfter) {
    thread_local ParseBuffers reused;
    try {
        if (json.size() <= kReusedBytes) {
            return ReadWith(reused, json, dialogue, readableAfter);
        }
        ParseBuffers own;
        return ReadWith(own, json, dialogue, readableAfter);
    } catch (const GiveUp&) {
        return false;
    } catch (const simdjson::simdjson_error&) {
        return false;
    }
}

}  // namespace tw
