#pragma once

// Undoable changes to texts: the node text and comments as they are typed (consecutive
// typing in one node is one step), the NPC's data and the NPC comments.

#include <string>

#include "model/dialogue.h"
#include "ui/document/document_step.h"
#include "ui/document/editor_document.h"

namespace tw {

class NodeTextStep : public DocumentStep {
public:
    static constexpr int kMergeId = 1;
    NodeTextStep(EditorDocument& document, std::int32_t nodeId, NodeTextValue before,
                 NodeTextValue after);
    int id() const override { return kMergeId; }
    bool mergeWith(const QUndoCommand* other) override;
    void redo() override { Apply(after_); }
    void undo() override { Apply(before_); }

private:
    void Apply(const NodeTextValue& value);

    std::int32_t nodeId_;
    NodeTextValue before_;
    NodeTextValue after_;
};

class NodeCommentsStep : public DocumentStep {
public:
    static constexpr int kMergeId = 2;
    NodeCommentsStep(EditorDocument& document, std::int32_t nodeId, std::string before,
                     std::string after);
    int id() const override { return kMergeId; }
    bool mergeWith(const QUndoCommand* other) override;
    void redo() override { Apply(after_); }
    void undo() override { Apply(before_); }

private:
    void Apply(const std::string& value);

    std::int32_t nodeId_;
    std::string before_;
    std::string after_;
};

class NpcDataStep : public DocumentStep {
public:
    NpcDataStep(EditorDocument& document, NPCData before, NPCData after);
    void redo() override { Apply(after_); }
    void undo() override { Apply(before_); }

private:
    void Apply(const NPCData& value);

    NPCData before_;
    NPCData after_;
};

class NpcCommentsStep : public DocumentStep {
public:
    NpcCommentsStep(EditorDocument& document, std::string before, std::string after);
    void redo() override { Apply(after_); }
    void undo() override { Apply(before_); }

private:
    void Apply(const std::string& value);

    std::string before_;
    std::string after_;
};

}  // namespace tw
