#pragma once

// Renaming a node leaves every goto, branch, list entry and [ADD] response that named it
// pointing at nothing. These rows, rebuilt to name the new node, let the rename carry its
// links along.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "model/check/check_finding.h"

namespace tw {

class Dialogue;
class NodeCommand;
class NodeResponse;

// One command or response row of a node, rebuilt to lead to the new name: exactly one of
// command and response is set, after item.
struct RetargetedRow {
    std::int32_t nodeId = 0;
    ItemKind item = ItemKind::Command;
    std::size_t index = 0;
    std::unique_ptr<NodeCommand> command;
    std::unique_ptr<NodeResponse> response;
};

// Every row of the dialogue that leads to a node named `from` (compared without case, as
// the tester finds nodes), rebuilt to lead to `to`, in pre-order and row order. Typed
// statements are rewritten where a node name stands in them, whatever they are nested in.
std::vector<RetargetedRow> RetargetLinks(const Dialogue& dialogue, std::string_view from,
                                         std::string_view to);

}  // namespace tw
