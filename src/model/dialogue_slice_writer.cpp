#include "model/dialogue_slice_writer.h"

#include "model/dialogue.h"
#include "model/dialogue_records.h"

namespace tw {

DialogueSliceWriter::DialogueSliceWriter(const Dialogue& dialogue) : out_(ByteLayout::kFile) {
    WriteDialogueHeader(out_, dialogue);
    Write(dialogue.Root());
}

// The same pre-order as the whole file's writer: a node, then each child's subtree.
bool DialogueSliceWriter::WriteSome(std::size_t nodes) {
    while (!pending_.empty() && nodes > 0) {
        auto& [parent, next] = pending_.back();
        if (next == parent->Children().size()) {
            pending_.pop_back();
            continue;
        }
        const DialogueNode& child = *parent->Children()[next++];
        Write(child);  // may move pending_, so parent and next are not used after it
        --nodes;
    }
    return IsDone();
}

void DialogueSliceWriter::Write(const DialogueNode& node) {
    WriteNodeRecord(out_, node);
    out_.WriteInt32(static_cast<std::int32_t>(node.Children().size()));
    pending_.emplace_back(&node, 0);
}

}  // namespace tw
