#pragma once

// What the rules across nodes need of a dialogue, taken on the thread that edits it and read
// on any other: each node in pre-order with its id and its facts. Facts are never changed
// once made (an edit makes new facts for its node), so a snapshot stays true to the moment it
// was taken whatever the dialogue does afterwards.

#include <cstdint>
#include <memory>
#include <vector>

namespace tw {

class DialogueNode;
struct NodeCheckFacts;

struct CheckedNode {
    const DialogueNode* node = nullptr;  // what the findings point to; never read through
    std::int32_t id = 0;
    std::shared_ptr<const NodeCheckFacts> facts;
};

using CheckSnapshot = std::vector<CheckedNode>;

}  // namespace tw
