// The node operations that put back what an edit took out: insertion at a place, removal
// by place, and the contents that Clear empties.

#include <algorithm>
#include <iterator>
#include <utility>

#include "model/dialogue_node.h"
#include "model/node_id_index.h"

namespace tw {
namespace {

template <typename T>
T& InsertAt(std::vector<std::unique_ptr<T>>& list, std::size_t index, std::unique_ptr<T> element) {
    const std::size_t at = std::min(index, list.size());
    return **list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), std::move(element));
}

template <typename T>
std::unique_ptr<T> RemoveAt(std::vector<std::unique_ptr<T>>& list, std::size_t index) {
    if (index >= list.size()) {
        return nullptr;
    }
    std::unique_ptr<T> removed = std::move(list[index]);
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
    return removed;
}

}  // namespace

NodeContents DialogueNode::TakeContents() {
    NodeContents contents{std::exchange(text_, {}), std::exchange(comments_, {}),
                          std::exchange(commands_, {}), std::exchange(responses_, {})};
    return contents;
}

void DialogueNode::RestoreContents(NodeContents contents) {
    text_ = std::move(contents.text);
    comments_ = std::move(contents.comments);
    commands_ = std::move(contents.commands);
    responses_ = std::move(contents.responses);
}

NodeCommand& DialogueNode::InsertCommand(std::size_t index, std::unique_ptr<NodeCommand> command) {
    return InsertAt(commands_, index, std::move(command));
}

std::unique_ptr<NodeCommand> DialogueNode::RemoveCommandAt(std::size_t index) {
    return RemoveAt(commands_, index);
}

NodeResponse& DialogueNode::InsertResponse(std::size_t index,
                                           std::unique_ptr<NodeResponse> response) {
    return InsertAt(responses_, index, std::move(response));
}

std::unique_ptr<NodeResponse> DialogueNode::RemoveResponseAt(std::size_t index) {
    return RemoveAt(responses_, index);
}

std::unique_ptr<NodeResponse> DialogueNode::ReplaceResponseAt(
    std::size_t index, std::unique_ptr<NodeResponse> replacement) {
    if (index >= responses_.size()) {
        return nullptr;
    }
    return std::exchange(responses_[index], std::move(replacement));
}

DialogueNode& DialogueNode::InsertChild(std::size_t index, std::unique_ptr<DialogueNode> child) {
    child->parent_ = this;
    DialogueNode& inserted = InsertAt(children_, index, std::move(child));
    if (idIndex_ != nullptr) {
        idIndex_->Attach(inserted);
    }
    return inserted;
}

std::size_t DialogueNode::IndexOfChild(const DialogueNode* child) const {
    const auto found = std::find_if(children_.begin(), children_.end(),
                                    [child](const auto& held) { return held.get() == child; });
    return static_cast<std::size_t>(std::distance(children_.begin(), found));
}

}  // namespace tw
