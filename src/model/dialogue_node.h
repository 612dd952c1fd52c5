#pragma once

// DialogueNode: one named node of a conversation with its text, commands and responses,
// and its place in the node tree (parent and ordered owned children).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/node_command.h"
#include "model/node_response.h"

namespace tw {

// What Clear takes out of a node, kept whole so that it can be put back.
struct NodeContents {
    std::string text;
    std::string comments;
    std::vector<std::unique_ptr<NodeCommand>> commands;
    std::vector<std::unique_ptr<NodeResponse>> responses;
};

class NodeIdIndex;

class DialogueNode {
public:
    DialogueNode(std::int32_t id, std::string name, std::string description = {});
    DialogueNode(const DialogueNode&) = delete;
    DialogueNode& operator=(const DialogueNode&) = delete;
    // Destroys the subtree without recursion, so any depth is safe.
    ~DialogueNode();

    std::int32_t GetId() const { return id_; }
    // A number no other node object of this run had: caches keyed by it cannot take a new
    // node for one that held its id or its address before.
    std::uint64_t GetSerial() const { return serial_; }
    void SetId(std::int32_t id);
    const std::string& GetName() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    const std::string& GetText() const { return text_; }
    void SetText(std::string text) { text_ = std::move(text); }
    const std::string& GetComments() const { return comments_; }
    void SetComments(std::string comments) { comments_ = std::move(comments); }
    const std::string& GetDescription() const { return description_; }
    void SetDescription(std::string description) { description_ = std::move(description); }
    bool IsTextRich() const { return textIsRich_; }
    void SetTextRich(bool rich) { textIsRich_ = rich; }
    std::int32_t GetExpanded() const { return expanded_; }
    void SetExpanded(std::int32_t expanded) { expanded_ = expanded; }

    // The name, then " [" + description + "]" when there is a description.
    std::string Label() const;
    // A row that failed to compile and the compile window's message for it, headed
    // "NODE " + label.
    struct CompileFault {
        bool response = false;  // a response's condition, else a command
        std::size_t row = 0;
        std::string message;
    };
    // Compiles every command, then every response condition, in list order; a failure does
    // not stop the walk.
    std::vector<CompileFault> CompileRows();
    // The same, each failure's message added to errors.
    void Compile(std::vector<std::string>& errors);

    // Empties text and comments and destroys every command and response.
    void Clear();
    // Empties the node as Clear does, handing what it held to the caller.
    NodeContents TakeContents();
    // Puts back what TakeContents took; what the node holds now is dropped.
    void RestoreContents(NodeContents contents);

    const std::vector<std::unique_ptr<NodeCommand>>& Commands() const { return commands_; }
    NodeCommand& AppendCommand(std::unique_ptr<NodeCommand> command);
    // Takes the command out of the list and hands it over; nullptr when not in the list.
    std::unique_ptr<NodeCommand> RemoveCommand(const NodeCommand* command);
    // Takes the element at from out and re-inserts it at to (0 is the front); false when
    // nothing moved (the same place, or a place outside the list).
    bool MoveCommand(std::size_t from, std::size_t to);
    // The replacement takes the old command's place; the old one is handed back, or
    // nullptr (and nothing changes) when it is not in the list.
    std::unique_ptr<NodeCommand> ReplaceCommand(const NodeCommand* old,
                                                std::unique_ptr<NodeCommand> replacement);

    // Inserts at index (past the end: appends); the inverse of RemoveCommandAt.
    NodeCommand& InsertCommand(std::size_t index, std::unique_ptr<NodeCommand> command);
    // Takes the command at index out; nullptr when there is none.
    std::unique_ptr<NodeCommand> RemoveCommandAt(std::size_t index);

    const std::vector<std::unique_ptr<NodeResponse>>& Responses() const { return responses_; }
    NodeResponse& InsertResponse(std::size_t index, std::unique_ptr<NodeResponse> response);
    std::unique_ptr<NodeResponse> RemoveResponseAt(std::size_t index);
    // The replacement takes the place of the response at index, which is handed back;
    // nullptr (and nothing changes) when index is outside the list.
    std::unique_ptr<NodeResponse> ReplaceResponseAt(std::size_t index,
                                                    std::unique_ptr<NodeResponse> replacement);
    NodeResponse& AppendResponse(std::unique_ptr<NodeResponse> response);
    std::unique_ptr<NodeResponse> RemoveResponse(const NodeResponse* response);
    bool MoveResponse(std::size_t from, std::size_t to);

    // Tree links. Children are in list order. A node that belongs to a dialogue's tree
    // reports every link and id change to the dialogue's id index.
    DialogueNode* Parent() const { return parent_; }
    const std::vector<std::unique_ptr<DialogueNode>>& Children() const { return children_; }
    // Appends a child as the last one and hands it back.
    DialogueNode& AppendChild(std::unique_ptr<DialogueNode> child);
    // Inserts a child at index (past the end: appends) and hands it back.
    DialogueNode& InsertChild(std::size_t index, std::unique_ptr<DialogueNode> child);
    // The child's place in the list; the count of children when it is none of them.
    std::size_t IndexOfChild(const DialogueNode* child) const;
    // Takes a child out of the list; nullptr when it is not a child of this node.
    std::unique_ptr<DialogueNode> DetachChild(const DialogueNode* child);
    // Reorders the children; order must hold exactly the current children.
    void ReorderChildren(const std::vector<DialogueNode*>& order);
    // True when node is this node or lies in its subtree.
    bool Contains(const DialogueNode* node) const;

private:
    std::uint64_t serial_;
    std::int32_t id_;
    std::string name_;
    std::string text_;
    std::string comments_;
    std::string description_;
    bool textIsRich_ = false;
    std::int32_t expanded_ = 0;
    std::vector<std::unique_ptr<NodeResponse>> responses_;
    std::vector<std::unique_ptr<NodeCommand>> commands_;
    DialogueNode* parent_ = nullptr;
    std::vector<std::unique_ptr<DialogueNode>> children_;
    NodeIdIndex* idIndex_ = nullptr;  // set while the node is in an indexed tree

    friend class NodeIdIndex;
};

}  // namespace tw
