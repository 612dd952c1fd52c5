#pragma once

// The bytes of Dialogue::Write() made a slice of nodes at a time, so a thread that also
// answers its user can make the bytes of a large dialogue between two of its events. The
// writer holds pointers into the dialogue: the dialogue must not change between two slices
// (the owner starts again when it does).

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "model/byte_codec.h"

namespace tw {

class Dialogue;
class DialogueNode;

class DialogueSliceWriter {
public:
    explicit DialogueSliceWriter(const Dialogue& dialogue);

    // Writes the records of at most nodes more nodes; true once every node is written.
    bool WriteSome(std::size_t nodes);
    bool IsDone() const { return pending_.empty(); }
    // The bytes of the whole file, once IsDone().
    std::string TakeBytes() { return out_.TakeBytes(); }

private:
    void Write(const DialogueNode& node);

    ByteWriter out_;
    // The nodes whose children are being written, each with the index of its next child.
    std::vector<std::pair<const DialogueNode*, std::size_t>> pending_;
};

}  // namespace tw
