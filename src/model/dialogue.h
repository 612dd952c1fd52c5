#pragma once

// Dialogue: one open conversation document, with the NPC's data, the NPC comments and
// the tree of nodes whose root is the initialization node.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/input_limits.h"
#include "model/dialogue_node.h"
#include "model/node_id_index.h"
#include "model/npc_data.h"

namespace tw {

inline constexpr std::int32_t kCurrentFileVersion = 102;
// The id of a new document's initialization node, which the editor's tree also reads as
// "the initialization node" in its items.
inline constexpr std::int32_t kInitializationNodeId = 0;

// The NPC comments a new document starts with, style marks included.
const std::string& DefaultNpcComments();

// Where a node stands in the tree: its parent and its index among the parent's children.
struct NodePlace {
    std::int32_t parentId = 0;
    std::size_t index = 0;
    bool operator==(const NodePlace&) const = default;
};

// A branch taken out of the tree with the place it came from, so it can go back there.
struct DetachedBranch {
    std::unique_ptr<DialogueNode> node;
    NodePlace place;
};

// The order of the children of the nodes of a branch, by node id: each node with two or
// more children and the ids of its children in list order.
using SiblingOrder = std::pair<std::int32_t, std::vector<std::int32_t>>;
using SiblingOrders = std::vector<SiblingOrder>;

// The node's id and its children's ids in list order.
SiblingOrder SiblingOrderOf(const DialogueNode& parent);

class Dialogue {
public:
    Dialogue();
    Dialogue(const Dialogue&) = delete;
    Dialogue& operator=(const Dialogue&) = delete;

    std::int32_t GetFileVersion() const { return fileVersion_; }
    void SetFileVersion(std::int32_t version) { fileVersion_ = version; }
    std::int32_t GetNextNodeId() const { return nextNodeId_; }
    void SetNextNodeId(std::int32_t id) { nextNodeId_ = id; }
    bool IsScratch() const { return scratch_; }
    // A document the user asked for (New) is no scratch document, though it starts empty.
    void SetScratch(bool scratch) { scratch_ = scratch; }
    bool IsModified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }
    NPCData& Npc() { return npc_; }
    const NPCData& Npc() const { return npc_; }
    const std::string& GetComments() const { return comments_; }
    void SetComments(std::string comments) { comments_ = std::move(comments); }
    const std::string& GetPath() const { return path_; }
    void SetPath(std::string path) { path_ = std::move(path); }
    std::int32_t GetSelectedNodeId() const { return selectedNodeId_; }
    void SetSelectedNodeId(std::int32_t id) { selectedNodeId_ = id; }

    // The initialization node, the root of the tree.
    DialogueNode& Root() { return *root_; }
    const DialogueNode& Root() const { return *root_; }

    // The first node in pre-order with that id, looked up in an index the tree keeps exact.
    DialogueNode* FindNodeById(std::int32_t id);
    const DialogueNode* FindNodeById(std::int32_t id) const;
    DialogueNode* FindNodeByName(std::string_view name);

    // Appends a new node as the last child of the node with parentId; nullptr when there
    // is no such node.
    DialogueNode* AddNode(std::int32_t id, std::int32_t parentId, std::string name,
                          std::string description);
    // Appends a new node under a node the caller already holds: no search.
    DialogueNode& AppendNode(DialogueNode& parent, std::int32_t id, std::string name,
                             std::string description = {});
    // Makes the node the last child of the new parent; false (and nothing changes) for the
    // root, a missing node or parent, a parent inside the node's own branch, or a node that
    // already is its parent's last child.
    bool MoveNode(std::int32_t id, std::int32_t newParentId);
    void MakeRoot(std::int32_t id);
    void DeleteBranch(std::int32_t id);

    // The node's place; nothing for the root or a missing node.
    std::optional<NodePlace> PlaceOf(std::int32_t id);
    // Takes the node (not the root) out with its branch; nothing when there is none.
    std::optional<DetachedBranch> DetachBranch(std::int32_t id);
    // Puts a detached branch back at its place; false (and the branch stays the caller's)
    // when the parent is gone.
    bool RestoreBranch(DetachedBranch& branch);
    // Moves a node with its branch to a place, as undoing a move does; false for the root,
    // a missing node or parent, or a parent inside the node's own branch.
    bool PlaceNode(std::int32_t id, const NodePlace& place);

    // The sibling orders of the node's branch, the only thing a sort of it changes.
    SiblingOrders CaptureSiblingOrders(std::int32_t id);
    // Puts children back in the captured orders; lists that changed members since are
    // left alone.
    void RestoreSiblingOrders(const SiblingOrders& orders);
    void RestoreSiblingOrder(const SiblingOrder& order);

    void SortChildren(std::int32_t id, bool ascending);
    // The same for a node the caller holds: no look-up.
    void SortChildrenOf(DialogueNode& node, bool ascending);
    void SortBranch(std::int32_t id, bool ascending);
    void SortAll(bool ascending);

    // Compiles every node in pre-order, collecting the messages of every failure;
    // afterEachNode, when given, is called once a node is done (progress reporting).
    void Compile(std::vector<std::string>& errors, const std::function<void()>& afterEachNode = {});

    void CollectResponseTags(std::vector<std::string>& tags) const;
    std::string NextFreeResponseTag() const;
    NodeResponse* FindResponseByTag(std::string_view tag);

    // The file bytes of the document, always in the current format version.
    std::string Write() const;
    // Reads file bytes into the document, keeping the root node object. Returns the
    // message to show on failure; the document is then to be discarded.
    std::optional<std::string> Read(std::string_view bytes);
    // Opens and reads the file at path, which becomes the document's path on success.
    std::optional<std::string> Load(const std::string& path,
                                    std::uint64_t maxBytes = kMaxDialogueFileBytes);
    // Saves to the path; on failure returns the message, and the document stays modified.
    std::optional<std::string> Save();
    // Saves under a new path, which becomes the document's path.
    std::optional<std::string> SaveAs(std::string path);

private:
    // The node with that id, other than the root; nullptr for the root or no node.
    DialogueNode* FindMovableNode(std::int32_t id);

    std::int32_t fileVersion_ = kCurrentFileVersion;
    std::int32_t nextNodeId_ = 1;
    bool scratch_ = true;
    bool modified_ = false;
    NPCData npc_;
    std::unique_ptr<DialogueNode> root_;
    // A look-up may build the index afresh: a cache, not part of the document.
    mutable NodeIdIndex nodeIds_{*root_};
    std::int32_t selectedNodeId_ = 0;
    std::string comments_;
    std::string path_;

    friend class DialogueReader;
};

}  // namespace tw
