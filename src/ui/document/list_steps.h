#pragma once

// Undoable changes to a node's command and response lists. The two lists behave alike, so
// each kind of change is one template over the list it works on.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/dialogue.h"
#include "ui/document/document_step.h"

namespace tw {

// How a step reaches one of a node's two lists.
struct CommandListAccess {
    using Element = NodeCommand;
    static std::size_t Size(const DialogueNode& node) { return node.Commands().size(); }
    static void Insert(DialogueNode& node, std::size_t at, std::unique_ptr<Element> element) {
        node.InsertCommand(at, std::move(element));
    }
    static std::unique_ptr<Element> Remove(DialogueNode& node, std::size_t at) {
        return node.RemoveCommandAt(at);
    }
    static void Move(DialogueNode& node, std::size_t from, std::size_t to) {
        node.MoveCommand(from, to);
    }
    static std::unique_ptr<Element> Replace(DialogueNode& node, std::size_t at,
                                            std::unique_ptr<Element> element);
};

struct ResponseListAccess {
    using Element = NodeResponse;
    static std::size_t Size(const DialogueNode& node) { return node.Responses().size(); }
    static void Insert(DialogueNode& node, std::size_t at, std::unique_ptr<Element> element) {
        node.InsertResponse(at, std::move(element));
    }
    static std::unique_ptr<Element> Remove(DialogueNode& node, std::size_t at) {
        return node.RemoveResponseAt(at);
    }
    static void Move(DialogueNode& node, std::size_t from, std::size_t to) {
        node.MoveResponse(from, to);
    }
    static std::unique_ptr<Element> Replace(DialogueNode& node, std::size_t at,
                                            std::unique_ptr<Element> element) {
        return node.ReplaceResponseAt(at, std::move(element));
    }
};

// Elements appended at the end of the list (added or pasted); held while undone.
template <typename List>
class AppendElementsStep : public DocumentStep {
public:
    using Elements = std::vector<std::unique_ptr<typename List::Element>>;
    AppendElementsStep(EditorDocument& document, const QString& text, std::int32_t nodeId,
                       Elements elements)
        : DocumentStep(document, text), nodeId_(nodeId), elements_(std::move(elements)) {
        count_ = elements_.size();
    }
    void redo() override {
        if (DialogueNode* node = Node(nodeId_)) {
            at_ = List::Size(*node);
            for (auto& element : elements_) {
                List::Insert(*node, List::Size(*node), std::move(element));
            }
            elements_.clear();
        }
        ShowNode(nodeId_);
    }
    void undo() override {
        if (DialogueNode* node = Node(nodeId_)) {
            for (std::size_t i = 0; i < count_; ++i) {
                elements_.push_back(List::Remove(*node, at_));
            }
        }
        ShowNode(nodeId_);
    }

private:
    std::int32_t nodeId_;
    Elements elements_;
    std::size_t count_ = 0;
    std::size_t at_ = 0;
};

// Elements removed from their places (deleted or cut); held, with their indices, while done.
template <typename List>
class RemoveElementsStep : public DocumentStep {
public:
    // indices in ascending order, each once.
    RemoveElementsStep(EditorDocument& document, const QString& text, std::int32_t nodeId,
                       std::vector<std::size_t> indices)
        : DocumentStep(document, text), nodeId_(nodeId), indices_(std::move(indices)) {}
    // From the highest index down, so each index still means the element it named.
    void redo() override {
        if (DialogueNode* node = Node(nodeId_)) {
            removed_.clear();
            for (auto at = indices_.rbegin(); at != indices_.rend(); ++at) {
                removed_.push_back(List::Remove(*node, *at));
            }
        }
        ShowNode(nodeId_);
    }
    void undo() override {
        if (DialogueNode* node = Node(nodeId_)) {
            for (std::size_t i = 0; i < indices_.size() && !removed_.empty(); ++i) {
                List::Insert(*node, indices_[i], std::move(removed_.back()));
                removed_.pop_back();
            }
        }
        ShowNode(nodeId_);
    }

private:
    std::int32_t nodeId_;
    std::vector<std::size_t> indices_;
    std::vector<std::unique_ptr<typename List::Element>> removed_;  // highest index first
};

// A row dragged to another place.
template <typename List>
class MoveElementStep : public DocumentStep {
public:
    MoveElementStep(EditorDocument& document, const QString& text, std::int32_t nodeId,
                    std::size_t from, std::size_t to)
        : DocumentStep(document, text), nodeId_(nodeId), from_(from), to_(to) {}
    void redo() override { Apply(from_, to_); }
    void undo() override { Apply(to_, from_); }

private:
    void Apply(std::size_t from, std::size_t to) {
        if (DialogueNode* node = Node(nodeId_)) {
            List::Move(*node, from, to);
        }
        ShowNode(nodeId_);
    }

    std::int32_t nodeId_;
    std::size_t from_;
    std::size_t to_;
};

// An element edited in its dialog or its cell: the step holds the other version.
template <typename List>
class ReplaceElementStep : public DocumentStep {
public:
    ReplaceElementStep(EditorDocument& document, const QString& text, std::int32_t nodeId,
                       std::size_t at, std::unique_ptr<typename List::Element> other)
        : DocumentStep(document, text), nodeId_(nodeId), at_(at), other_(std::move(other)) {}
    void redo() override { Swap(); }
    void undo() override { Swap(); }

private:
    void Swap() {
        if (DialogueNode* node = Node(nodeId_); node && other_) {
            other_ = List::Replace(*node, at_, std::move(other_));
        }
        ShowNode(nodeId_);
    }

    std::int32_t nodeId_;
    std::size_t at_;
    std::unique_ptr<typename List::Element> other_;
};

using AppendCommandsStep = AppendElementsStep<CommandListAccess>;
using AppendResponsesStep = AppendElementsStep<ResponseListAccess>;
using RemoveCommandsStep = RemoveElementsStep<CommandListAccess>;
using RemoveResponsesStep = RemoveElementsStep<ResponseListAccess>;
using MoveCommandStep = MoveElementStep<CommandListAccess>;
using MoveResponseStep = MoveElementStep<ResponseListAccess>;
using ReplaceCommandStep = ReplaceElementStep<CommandListAccess>;
using ReplaceResponseStep = ReplaceElementStep<ResponseListAccess>;

}  // namespace tw
