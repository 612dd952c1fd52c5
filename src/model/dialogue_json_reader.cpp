#include <initializer_list>
#include <limits>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "model/dialogue_json.h"
#include "model/dialogue_json_readers.h"
#include "model/json_value_builder.h"
#include "base/windows1252.h"
#include "script/excerpt.h"

namespace tw {
namespace {

using Json = nlohmann::json;

// A JSON value that does not describe a dialogue: the message names the place.
class ShapeError : public std::runtime_error {
public:
    ShapeError(const std::string& where, const std::string& what)
        : std::runtime_error(where + ": " + what) {}
    explicit ShapeError(const std::string& message) : std::runtime_error(message) {}
};

std::string Member(const std::string& where, std::string_view key) {
    return where.empty() ? std::string(key) : where + "." + std::string(key);
}

std::string Element(const std::string& where, std::size_t index) {
    return where + "[" + std::to_string(index) + "]";
}

void ExpectObject(const Json& value, const std::string& where,
                  std::initializer_list<std::string_view> keys) {
    if (!value.is_object()) {
        throw ShapeError(where.empty() ? "document" : where, "expected an object");
    }
    for (const auto& [key, member] : value.items()) {
        if (std::find(keys.begin(), keys.end(), key) == keys.end()) {
            throw ShapeError(Member(where, Excerpt(key)), "unknown key");
        }
    }
}

const Json* Find(const Json& object, std::string_view key) {
    const auto found = object.find(key);
    return found == object.end() ? nullptr : &*found;
}

// The place is named only when there is an error: most strings convert.
std::string ToBytes(const Json& value, const std::string& where, std::string_view key) {
    if (!value.is_string()) {
        throw ShapeError(Member(where, key), "expected a string");
    }
    std::string error;
    std::optional<std::string> bytes =
        Utf8ToWindows1252(value.get_ref<const std::string&>(), &error);
    if (!bytes) {
        throw ShapeError(Member(where, key), error);
    }
    return std::move(*bytes);
}

std::string String(const Json& object, std::string_view key, const std::string& where,
                   std::string fallback = {}) {
    const Json* value = Find(object, key);
    return value == nullptr ? fallback : ToBytes(*value, where, key);
}

std::int32_t Int(const Json& object, std::string_view key, const std::string& where,
                 std::int32_t fallback) {
    const Json* value = Find(object, key);
    if (value == nullptr) {
        return fallback;
    }
    constexpr auto kLow = std::numeric_limits<std::int32_t>::min();
    constexpr auto kHigh = std::numeric_limits<std::int32_t>::max();
    const bool fits = value->is_number_integer() &&
                      (value->is_number_unsigned() ? value->get<std::uint64_t>() <= kHigh
                                                   : value->get<std::int64_t>() >= kLow &&
                                                         value->get<std::int64_t>() <= kHigh);
    if (!fits) {
        throw ShapeError(Member(where, key), "expected a 32-bit integer");
    }
    return static_cast<std::int32_t>(value->get<std::int64_t>());
}

bool Bool(const Json& object, std::string_view key, const std::string& where) {
    const Json* value = Find(object, key);
    if (value != nullptr && !value->is_boolean()) {
        throw ShapeError(Member(where, key), "expected true or false");
    }
    return value != nullptr && value->get<bool>();
}

const Json& Array(const Json& object, std::string_view key, const std::string& where,
                  std::size_t maxSize = std::numeric_limits<std::size_t>::max()) {
    static const Json kEmpty = Json::array();
    const Json* value = Find(object, key);
    if (value == nullptr) {
        return kEmpty;
    }
    if (!value->is_array()) {
        throw ShapeError(Member(where, key), "expected an array");
    }
    if (value->size() > maxSize) {
        throw ShapeError(Member(where, key),
                         "expected at most " + std::to_string(maxSize) + " entries");
    }
    return *value;
}

// A condition is present when its key is; null counts as absent.
std::unique_ptr<Conditional> Condition(const Json& object, const std::string& where) {
    const Json* value = Find(object, "condition");
    if (value == nullptr || value->is_null()) {
        return nullptr;
    }
    return std::make_unique<Conditional>(ToBytes(*value, where, "condition"));
}

std::unique_ptr<NodeResponse> ReadResponse(const Json& json, const std::string& where) {
    ExpectObject(json, where,
                 {"kind", "tag", "condition", "playerText", "gotoNode", "cutTag", "cutText"});
    const std::string kind = String(json, "kind", where);
    std::unique_ptr<NodeResponse> response;
    if (kind == "add") {
        auto add = std::make_unique<NodeResponseAdd>(String(json, "tag", where));
        add->SetPlayerText(String(json, "playerText", where));
        add->SetGotoNode(String(json, "gotoNode", where));
        response = std::move(add);
    } else if (kind == "cut") {
        auto cut = std::make_unique<NodeResponseCut>(String(json, "tag", where));
        cut->SetCutTag(String(json, "cutTag", where));
        cut->SetCutText(String(json, "cutText", where));
        response = std::move(cut);
    } else {
        throw ShapeError(Member(where, "kind"), "expected \"add\" or \"cut\"");
    }
    response->SetCondition(Condition(json, where));
    return response;
}

template <std::size_t N>
void ReadEntries(const Json& json, const std::string& where, std::array<std::string, N>& choices,
                 std::array<std::string, N>& nodes, std::array<Conditional, N>* conditions) {
    const Json& entries = Array(json, "entries", where, N);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string at = Element(Member(where, "entries"), i);
        if (conditions != nullptr) {
            ExpectObject(entries[i], at, {"choice", "node", "condition"});
            (*conditions)[i].SetExpression(String(entries[i], "condition", at));
        } else {
            ExpectObject(entries[i], at, {"choice", "node"});
        }
        choices[i] = String(entries[i], "choice", at);
        nodes[i] = String(entries[i], "node", at);
    }
}

std::unique_ptr<NodeCommand> BuildCommand(std::size_t kind, const Json& json,
                                          const std::string& where) {
    auto text = [&](std::string_view key) { return String(json, key, where); };
    switch (kind) {
        case kCommandManual:
            return std::make_unique<CommandManual>(text("text"));
        case kCommandFlag:
            return std::make_unique<CommandFlag>(Bool(json, "set", where), text("flag"));
        case kCommandConditionalVariable:
            return std::make_unique<CommandConditionalVariable>(
                text("variable"), text("test"), text("trueExpression"), text("falseExpression"));
        case kCommandVariable:
            return std::make_unique<CommandVariable>(text("variable"), text("expression"));
        case kCommandYesNo: {
            CommandYesNo::Strings choices, nodes;
            ReadEntries<CommandYesNo::kEntries>(json, where, choices, nodes, nullptr);
            return std::make_unique<CommandYesNo>(choices, nodes);
        }
        case kCommandEnd:
            return std::make_unique<CommandEnd>();
        case kCommandGoto:
            return std::make_unique<CommandGoto>(text("node"));
        case kCommandReply:
            return std::make_unique<CommandReply>(text("variable"));
        default: {
            CommandList::Strings choices, nodes;
            CommandList::Conditions conditions;
            ReadEntries<CommandList::kEntries>(json, where, choices, nodes, &conditions);
            return std::make_unique<CommandList>(choices, nodes, conditions, text("returnChoice"),
                                                 text("returnNode"));
        }
    }
}

// The kind fields build the script text as the editor would; a stored "text" wins, so
// a document read from a file converts back byte for byte.
std::unique_ptr<NodeCommand> ReadCommand(const Json& json, const std::string& where) {
    ExpectObject(
        json, where,
        {"kind", "text", "condition", "set", "flag", "variable", "test", "trueExpression",
         "falseExpression", "expression", "entries", "node", "returnChoice", "returnNode"});
    const std::string kind = String(json, "kind", where);
    const auto found = std::find(kCommandKindNames.begin(), kCommandKindNames.end(), kind);
    if (found == kCommandKindNames.end()) {
        throw ShapeError(Member(where, "kind"),
                         "unknown command kind \"" + Excerpt(kind) +
                             "\" (expected manual, flag, conditionalAssign, assign, yesNo, end, "
                             "goto, reply or list)");
    }
    const auto code = static_cast<std::size_t>(found - kCommandKindNames.begin());
    std::unique_ptr<NodeCommand> command = BuildCommand(code, json, where);
    if (Find(json, "text") != nullptr && code != kCommandManual) {
        command->SetText(String(json, "text", where));
    }
    command->SetCondition(Condition(json, where));
    return command;
}

// Fills a node, the document's own root object or a new one, from its JSON.
void ReadNode(const Json& json, const std::string& where, DialogueNode& node) {
    ExpectObject(json, where,
                 {"depth", "id", "name", "description", "textIsRich", "text", "comments",
                  "responses", "commands"});
    node.SetId(Int(json, "id", where, 0));
    node.SetName(String(json, "name", where));
    node.SetDescription(String(json, "description", where));
    node.SetTextRich(Bool(json, "textIsRich", where));
    node.SetText(String(json, "text", where));
    node.SetComments(String(json, "comments", where));
    const Json& responses = Array(json, "responses", where);
    for (std::size_t i = 0; i < responses.size(); ++i) {
        node.AppendResponse(ReadResponse(responses[i], Element(Member(where, "responses"), i)));
    }
    const Json& commands = Array(json, "commands", where);
    for (std::size_t i = 0; i < commands.size(); ++i) {
        node.AppendCommand(ReadCommand(commands[i], Element(Member(where, "commands"), i)));
    }
}

// Adds each node as it is read. nodes -> [root at depth 0, then every other node in
// pre-order, each at most one level deeper than the node before it]. The first error is
// kept and the nodes after it are left unread.
class NodeSequence {
public:
    explicit NodeSequence(Dialogue& dialogue) : dialogue_(dialogue) {}

    std::size_t Count() const { return count_; }
    const std::optional<std::string>& Error() const { return error_; }

    void Add(const Json& json) {
        const std::size_t index = count_++;
        if (error_) {
            return;
        }
        try {
            Read(json, index);
        } catch (const ShapeError& error) {
            error_ = error.what();
        }
    }

    // A repeated "nodes" key: as with any other key, its last value is the one that counts.
    void Restart() {
        DialogueNode& root = dialogue_.Root();
        while (!root.Children().empty()) {
            root.DetachChild(root.Children().back().get());
        }
        path_.clear();
        count_ = 0;
        error_.reset();
    }

private:
    void Read(const Json& json, std::size_t index) {
        const std::string where = Element("nodes", index);
        std::unique_ptr<DialogueNode> node;
        if (index == 0) {
            dialogue_.Root().Clear();
        } else {
            node = std::make_unique<DialogueNode>(0, std::string());
        }
        ReadNode(json, where, node != nullptr ? *node : dialogue_.Root());
        const std::int32_t depth = Int(json, "depth", where, -1);
        const auto deepest = static_cast<std::int32_t>(path_.size());
        if (index == 0 ? depth != 0 : depth < 1 || depth > deepest) {
            throw ShapeError(Member(where, "depth"),
                             index == 0 ? std::string("the first node must have depth 0")
                                        : "expected a depth from 1 to " + std::to_string(deepest));
        }
        path_.resize(static_cast<std::size_t>(depth));
        if (index == 0) {
            path_.push_back(&dialogue_.Root());
        } else {
            path_.push_back(&path_.back()->AppendChild(std::move(node)));
        }
    }

    Dialogue& dialogue_;
    std::vector<DialogueNode*> path_;  // path_[d]: the latest node at depth d
    std::size_t count_ = 0;
    std::optional<std::string> error_;
};

// Everything but the nodes; json holds an empty array in place of the nodes when they were
// an array.
void ReadDocument(const Json& json, const NodeSequence& nodes, Dialogue& dialogue) {
    ExpectObject(
        json, "",
        {"format", "formatVersion", "fileVersion", "nextNodeId", "npc", "comments", "nodes"});
    const Json* format = Find(json, "format");
    if (format == nullptr || *format != kJsonFormatName) {
        throw ShapeError("format", "expected \"" + std::string(kJsonFormatName) +
                                       "\": this JSON is not a Talkwright dialogue");
    }
    const std::int32_t formatVersion = Int(json, "formatVersion", "", kJsonFormatVersion);
    if (formatVersion != kJsonFormatVersion) {
        throw ShapeError("formatVersion", "expected " + std::to_string(kJsonFormatVersion));
    }
    const std::int32_t fileVersion = Int(json, "fileVersion", "", kCurrentFileVersion);
    if (fileVersion < 100 || fileVersion > kCurrentFileVersion) {
        throw ShapeError("fileVersion", "expected a version from 100 to 102");
    }
    dialogue.SetFileVersion(fileVersion);
    dialogue.SetNextNodeId(Int(json, "nextNodeId", "", 1));
    if (const Json* npc = Find(json, "npc")) {
        ExpectObject(*npc, "npc", {"id", "name", "gender"});
        dialogue.Npc() = NPCData{Int(*npc, "id", "npc", 0), String(*npc, "name", "npc", "Untitled"),
                                 Int(*npc, "gender", "npc", kMale)};
    }
    dialogue.SetComments(String(json, "comments", "", DefaultNpcComments()));
    if (Find(json, "nodes") == nullptr) {
        throw ShapeError("nodes", "missing: a dialogue needs at least the initialization node");
    }
    Array(json, "nodes", "");
    if (nodes.Count() == 0) {
        throw ShapeError("nodes", "expected at least the initialization node");
    }
    if (nodes.Error()) {
        throw ShapeError(*nodes.Error());
    }
}

// nlohmann's messages open with an internal tag, "[json.exception.parse_error.101] ".
std::string WithoutTag(const std::string& message) {
    const auto end = message.find("] ");
    return message.rfind("[json.exception.", 0) == 0 && end != std::string::npos
               ? message.substr(end + 2)
               : message;
}

// A parse error ends with "last read: '...'", the whole token read so far: an excerpt of it
// is enough.
std::string WithShortLastRead(const std::string& message) {
    constexpr std::string_view kLastRead = "; last read: '";
    const auto start = message.find(kLastRead);
    if (start == std::string::npos || message.back() != '\'') {
        return message;
    }
    const auto from = start + kLastRead.size();
    const std::string_view token =
        std::string_view(message).substr(from, message.size() - 1 - from);
    return message.substr(0, from) + Excerpt(token) + "'";
}

// Reads the document from the parser's events. Only the node being read and the members
// outside the nodes are held as JSON trees; each node joins the dialogue as soon as it
// ends. A shape error does not stop the parse: a syntax error later in the text is still
// the one reported, as when the whole document is parsed first.
class DocumentEvents {
public:
    explicit DocumentEvents(Dialogue& dialogue) : dialogue_(dialogue), nodes_(dialogue) {}

    // The error, or nothing once the document is read.
    std::optional<std::string> Finish() {
        if (parseError_) {
            return "invalid JSON: " + WithShortLastRead(WithoutTag(*parseError_));
        }
        try {
            if (state_ == State::kIgnored) {
                throw ShapeError("document", "expected an object");
            }
            ReadDocument(members_, nodes_, dialogue_);
        } catch (const ShapeError& error) {
            return std::string("not a dialogue: ") + error.what();
        }
        return std::nullopt;
    }

    bool null() { return Value(nullptr); }
    bool boolean(bool value) { return Value(value); }
    bool number_integer(Json::number_integer_t value) { return Value(value); }
    bool number_unsigned(Json::number_unsigned_t value) { return Value(value); }
    bool number_float(Json::number_float_t value, const std::string&) { return Value(value); }
    bool string(std::string& value) { return Value(std::move(value)); }
    // JSON text has no binary values; only the library's binary formats make them.
    bool binary(Json::binary_t&) { return true; }
    bool start_object(std::size_t) { return Value(Json::object()); }
    bool start_array(std::size_t) { return Value(Json::array()); }
    bool end_object() { return Close(); }
    bool end_array() { return Close(); }
    bool key(std::string& key);
    bool parse_error(std::size_t, const std::string&, const Json::exception& error) {
        parseError_ = error.what();
        return false;
    }

private:
    // kIgnored: the document is not an object, so nothing in it is read.
    enum class State { kDocument, kMembers, kNodes, kIgnored };

    bool Value(Json value);
    bool Close();
    void Built();

    Dialogue& dialogue_;
    NodeSequence nodes_;
    State state_ = State::kDocument;
    Json members_ = Json::object();  // the document's members, the nodes left out
    std::string key_;                // the member being read
    JsonValueBuilder builder_;
    std::optional<std::string> parseError_;
};

bool DocumentEvents::key(std::string& key) {
    if (builder_.Building()) {
        builder_.Key(key);
    } else if (state_ == State::kMembers) {
        key_ = std::move(key);
        if (key_ == "nodes") {
            nodes_.Restart();
        }
    }
    return true;
}

bool DocumentEvents::Value(Json value) {
    const bool opensNodes =
        state_ == State::kMembers && !builder_.Building() && key_ == "nodes" && value.is_array();
    if (state_ == State::kIgnored) {
        return true;
    }
    if (state_ == State::kDocument) {
        state_ = value.is_object() ? State::kMembers : State::kIgnored;
    } else if (opensNodes) {
        members_[key_] = Json::array();
        state_ = State::kNodes;
    } else {
        builder_.Put(std::move(value));
        Built();
    }
    return true;
}

bool DocumentEvents::Close() {
    if (builder_.Building()) {
        builder_.Close();
        Built();
    } else if (state_ == State::kNodes) {
        state_ = State::kMembers;
    }
    return true;
}

// Hands a value that has just been put together to its place.
void DocumentEvents::Built() {
    if (!builder_.Complete()) {
        return;
    }
    if (state_ == State::kNodes) {
        nodes_.Add(builder_.Take());
    } else {
        members_[key_] = builder_.Take();
    }
}

}  // namespace

std::optional<std::string> ReadDialogueJsonEvents(std::string_view text, Dialogue& dialogue) {
    DocumentEvents events(dialogue);
    Json::sax_parse(text.data(), text.data() + text.size(), &events);
    std::optional<std::string> error = events.Finish();
    if (!error) {
        dialogue.SetModified(false);
    }
    return error;
}

}  // namespace tw
