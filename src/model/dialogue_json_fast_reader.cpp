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
#include "model/json_fast_elements.h"
#include "model/json_fast_values.h"

namespace tw {
namespace json_fast {
namespace {

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
}  // namespace json_fast

bool ReadDialogueJsonFast(std::string_view json, Dialogue& dialogue, std::size_t readableAfter) {
    using json_fast::ParseBuffers;
    thread_local ParseBuffers reused;
    try {
        if (json.size() <= json_fast::kReusedBytes) {
            return json_fast::ReadWith(reused, json, dialogue, readableAfter);
        }
        ParseBuffers own;
        return json_fast::ReadWith(own, json, dialogue, readableAfter);
    } catch (const json_fast::GiveUp&) {
        return false;
    } catch (const simdjson::simdjson_error&) {
        return false;
    }
}

}  // namespace tw
