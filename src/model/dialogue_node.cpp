#include "model/dialogue_node.h"

#include <algorithm>
#include <atomic>
#include <utility>

#include "model/node_id_index.h"
#include "script/script_errors.h"

namespace tw {
namespace {

template <typename T>
std::unique_ptr<T> RemoveFrom(std::vector<std::unique_ptr<T>>& list, const T* element) {
    const auto found = std::find_if(list.begin(), list.end(),
                                    [element](const auto& held) { return held.get() == element; });
    if (element == nullptr || found == list.end()) {
        return nullptr;
    }
    std::unique_ptr<T> removed = std::move(*found);
    list.erase(found);
    return removed;
}

template <typename T>
bool MoveWithin(std::vector<std::unique_ptr<T>>& list, std::size_t from, std::size_t to) {
    if (from >= list.size() || to >= list.size() || from == to) {
        return false;
    }
    std::unique_ptr<T> moved = std::move(list[from]);
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(from));
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(to), std::move(moved));
    return true;
}

// Atomic, so documents may be read on any thread.
std::uint64_t NextSerial() {
    static std::atomic<std::uint64_t> next{1};
    return next.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace

DialogueNode::DialogueNode(std::int32_t id, std::string name, std::string description)
    : serial_(NextSerial()),
      id_(id),
      name_(std::move(name)),
      description_(std::move(description)) {}

DialogueNode::~DialogueNode() {
    // Flatten the subtree first: each node popped here has no children left, so its own
    // destructor does not recurse.
    std::vector<std::unique_ptr<DialogueNode>> pending = std::move(children_);
    while (!pending.empty()) {
        std::unique_ptr<DialogueNode> node = std::move(pending.back());
        pending.pop_back();
        for (auto& child : node->children_) {
            pending.push_back(std::move(child));
        }
        node->children_.clear();
    }
}

void DialogueNode::SetId(std::int32_t id) {
    const std::int32_t old = std::exchange(id_, id);
    if (idIndex_ != nullptr && old != id) {
        idIndex_->Renumber(*this, old);
    }
}

std::string DialogueNode::Label() const {
    return description_.empty() ? name_ : name_ + " [" + description_ + "]";
}

std::vector<DialogueNode::CompileFault> DialogueNode::CompileRows() {
    std::vector<CompileFault> faults;
    const std::string head = "NODE " + Label();
    for (std::size_t i = 0; i < commands_.size(); ++i) {
        try {
            commands_[i]->Compile();
        } catch (const SyntaxError& error) {
            faults.push_back({false, i,
                              head + ": Syntax Error: " + commands_[i]->GetScriptText() + ": " +
                                  error.GetMessage()});
        }
    }
    for (std::size_t i = 0; i < responses_.size(); ++i) {
        try {
            responses_[i]->Compile();
        } catch (const SyntaxError& error) {
            faults.push_back(
                {true, i,
                 head + ": Response Condition: " + responses_[i]->GetCondition()->GetExpression() +
                     ": " + error.GetMessage()});
        }
    }
    return faults;
}

void DialogueNode::Compile(std::vector<std::string>& errors) {
    for (CompileFault& fault : CompileRows()) {
        errors.push_back(std::move(fault.message));
    }
}

void DialogueNode::Clear() {
    text_.clear();
    comments_.clear();
    commands_.clear();
    responses_.clear();
}

NodeCommand& DialogueNode::AppendCommand(std::unique_ptr<NodeCommand> command) {
    commands_.push_back(std::move(command));
    return *commands_.back();
}

std::unique_ptr<NodeCommand> DialogueNode::RemoveCommand(const NodeCommand* command) {
    return RemoveFrom(commands_, command);
}

bool DialogueNode::MoveCommand(std::size_t from, std::size_t to) {
    return MoveWithin(commands_, from, to);
}

std::unique_ptr<NodeCommand> DialogueNode::ReplaceCommand(
    const NodeCommand* old, std::unique_ptr<NodeCommand> replacement) {
    for (auto& held : commands_) {
        if (held.get() == old && old != nullptr) {
            return std::exchange(held, std::move(replacement));
        }
    }
    return nullptr;
}

NodeResponse& DialogueNode::AppendResponse(std::unique_ptr<NodeResponse> response) {
    responses_.push_back(std::move(response));
    return *responses_.back();
}

std::unique_ptr<NodeResponse> DialogueNode::RemoveResponse(const NodeResponse* response) {
    return RemoveFrom(responses_, response);
}

bool DialogueNode::MoveResponse(std::size_t from, std::size_t to) {
    return MoveWithin(responses_, from, to);
}

DialogueNode& DialogueNode::AppendChild(std::unique_ptr<DialogueNode> child) {
    child->parent_ = this;
    children_.push_back(std::move(child));
    if (idIndex_ != nullptr) {
        idIndex_->Attach(*children_.back());
    }
    return *children_.back();
}

std::unique_ptr<DialogueNode> DialogueNode::DetachChild(const DialogueNode* child) {
    std::unique_ptr<DialogueNode> detached = RemoveFrom(children_, child);
    if (detached != nullptr) {
        detached->parent_ = nullptr;
        if (idIndex_ != nullptr) {
            idIndex_->Detach(*detached);
        }
    }
    return detached;
}

void DialogueNode::ReorderChildren(const std::vector<DialogueNode*>& order) {
    std::vector<std::unique_ptr<DialogueNode>> sorted;
    sorted.reserve(children_.size());
    for (auto& child : children_) {
        child.release();  // re-owned below, in the new order
    }
    for (DialogueNode* child : order) {
        sorted.emplace_back(child);
    }
    children_ = std::move(sorted);
}

bool DialogueNode::Contains(const DialogueNode* node) const {
    for (; node != nullptr; node = node->parent_) {
        if (node == this) {
            return true;
        }
    }
    return false;
}

}  // namespace tw
