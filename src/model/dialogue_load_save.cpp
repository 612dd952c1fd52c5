// The dialogue file: the writer (always the current version) and the reader of versions
// 100 to 102.
//
// file   -> magic version nextNodeId npc [comments] tree
// tree   -> record childCount tree*          (pre-order)
// record -> id name text [0xEE] comments [description textIsRich]
//           responseCount response* commandCount command*

#include <utility>

#include "base/file_write.h"
#include "model/command_kinds.h"
#include "model/dialogue.h"
#include "model/dialogue_bytes.h"
#include "model/dialogue_file_format.h"
#include "model/dialogue_records.h"
#include "model/file.h"
#include "model/tree_walk.h"

namespace tw {
namespace {

// The header and every node record with its child count, in pre-order; afterNode may hand
// on what is written so far, and stops the writing by returning false.
template <typename AfterNode>
bool WriteFile(ByteWriter& out, const Dialogue& dialogue, AfterNode afterNode) {
    WriteDialogueHeader(out, dialogue);
    const DialogueNode* stopped = FindPreOrder(dialogue.Root(), [&](const DialogueNode& node) {
        WriteNodeRecord(out, node);
        out.WriteInt32(static_cast<std::int32_t>(node.Children().size()));
        return !afterNode();
    });
    return stopped == nullptr;
}

// Skips to just past the next marker; a damaged record may hold stray bytes before it.
bool SkipToMarker(ByteReader& in) {
    for (int byte = in.ReadByte(); byte != kNodeMarker; byte = in.ReadByte()) {
        if (byte < 0) {
            return false;
        }
    }
    return true;
}

bool ReadResponses(ByteReader& in, DialogueNode& node) {
    const std::int32_t count = in.ReadInt32();
    for (std::int32_t i = 0; i < count && !in.Failed(); ++i) {
        const std::int32_t type = in.ReadInt32();
        if (type != kResponseAdd && type != kResponseCut) {
            return false;
        }
        std::unique_ptr<NodeResponse> response = MakeEmptyResponse(type);
        response->ReadBody(in);
        node.AppendResponse(std::move(response));
    }
    return !in.Failed();
}

bool ReadCommands(ByteReader& in, DialogueNode& node) {
    const std::int32_t count = in.ReadInt32();
    for (std::int32_t i = 0; i < count && !in.Failed(); ++i) {
        std::unique_ptr<NodeCommand> command = MakeEmptyCommand(in.ReadInt32());
        if (command == nullptr) {
            return false;
        }
        command->ReadBody(in);
        node.AppendCommand(std::move(command));
    }
    return !in.Failed();
}

bool ReadNodeRecord(ByteReader& in, std::int32_t version, DialogueNode& node) {
    node.SetId(in.ReadInt32());
    node.SetName(in.ReadString());
    node.SetText(in.ReadString());
    if (version >= 102 && !SkipToMarker(in)) {
        return false;
    }
    node.SetComments(in.ReadString());
    if (version != 100) {
        node.SetDescription(in.ReadString());
        node.SetTextRich(in.ReadBool());
    }
    return !in.Failed() && ReadResponses(in, node) && ReadCommands(in, node);
}

}  // namespace

// Reads the tree with a stack of its own, so nesting depth costs heap, not call stack.
class DialogueReader {
public:
    DialogueReader(Dialogue& dialogue, ByteReader& in) : dialogue_(dialogue), in_(in) {}

    std::optional<std::string> Read() {
        if (static_cast<std::uint32_t>(in_.ReadInt32()) != kDialogueMagic) {
            return std::string(kNotVrxMessage);
        }
        dialogue_.fileVersion_ = in_.ReadInt32();
        if (dialogue_.fileVersion_ > kCurrentFileVersion) {
            return std::string(kNewerVersionMessage);
        }
        dialogue_.modified_ = false;
        dialogue_.scratch_ = false;
        dialogue_.selectedNodeId_ = 0;
        ReadHeader();
        if (in_.Failed() || !ReadTree()) {
            return std::string(kDamagedMessage);
        }
        return std::nullopt;
    }

private:
    void ReadHeader() {
        dialogue_.nextNodeId_ = in_.ReadInt32();
        dialogue_.npc_.id = in_.ReadInt32();
        dialogue_.npc_.name = in_.ReadString();
        dialogue_.npc_.gender = in_.ReadInt32();
        dialogue_.comments_ = dialogue_.fileVersion_ != 100 ? in_.ReadString() : std::string();
    }

    bool ReadTree() {
        DialogueNode& root = *dialogue_.root_;
        dialogue_.nodeIds_.Suspend();  // built again at the first look-up, in one walk
        ResetRoot(root);
        const std::int32_t version = dialogue_.fileVersion_;
        if (!ReadNodeRecord(in_, version, root)) {
            return false;
        }
        std::vector<std::pair<DialogueNode*, std::int32_t>> open{{&root, in_.ReadInt32()}};
        while (!open.empty() && !in_.Failed()) {
            auto& [parent, remaining] = open.back();
            if (remaining <= 0) {
                open.pop_back();
                continue;
            }
            --remaining;
            auto child = std::make_unique<DialogueNode>(0, std::string());
            if (!ReadNodeRecord(in_, version, *child)) {
                return false;
            }
            DialogueNode& added = parent->AppendChild(std::move(child));
            open.emplace_back(&added, in_.ReadInt32());
        }
        return !in_.Failed();
    }

    static void ResetRoot(DialogueNode& root) {
        root.Clear();
        while (!root.Children().empty()) {
            root.DetachChild(root.Children().back().get());
        }
    }

    Dialogue& dialogue_;
    ByteReader& in_;
};

std::string Dialogue::Write() const {
    ByteWriter out(ByteLayout::kFile);
    WriteFile(out, *this, [] { return true; });
    return out.TakeBytes();
}

bool WriteDialogueBlocks(const Dialogue& dialogue, const DialogueByteSink& sink) {
    ByteWriter out(ByteLayout::kFile);
    const auto handOn = [&out, &sink] {
        const bool taken = sink(out.Bytes());
        out.ClearBytes();
        return taken;
    };
    const bool written = WriteFile(out, dialogue, [&out, &handOn] {
        return out.Bytes().size() < kDialogueBlockBytes || handOn();
    });
    return written && (out.Bytes().empty() || handOn());
}

std::optional<std::string> Dialogue::Read(std::string_view bytes) {
    ByteReader in(bytes, ByteLayout::kFile);
    return DialogueReader(*this, in).Read();
}

std::optional<std::string> Dialogue::Load(const std::string& path, std::uint64_t maxBytes) {
    DialogueBytes file = ReadDialogueBytes(path, DialogueForms::kFileOnly, maxBytes);
    if (file.error) {
        return file.error;
    }
    if (auto error = Read(file.bytes)) {
        return error;
    }
    path_ = path;
    return std::nullopt;
}

// The file is written in blocks as it is made: a large document never sits in memory twice,
// and each block is written while it is still in the cache.
std::optional<std::string> Dialogue::Save() {
    const auto writeBlocks = [this](int fd) {
        return WriteDialogueBlocks(*this,
                                   [fd](std::string_view block) { return WriteAll(fd, block); });
    };
    if (auto error = ReplaceFileAtomically(path_, writeBlocks)) {
        return error;
    }
    scratch_ = false;
    modified_ = false;
    return std::nullopt;
}

std::optional<std::string> Dialogue::SaveAs(std::string path) {
    std::string previous = std::exchange(path_, std::move(path));
    auto error = Save();
    if (error) {
        path_ = std::move(previous);
    }
    return error;
}

}  // namespace tw
