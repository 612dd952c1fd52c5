#pragma once

// The OK rules of the node dialog and of the NPC data dialog.

#include <string>
#include <string_view>
#include <vector>

#include "model/npc_data.h"

namespace tw {

struct NodeNameFields {
    std::string name;
    std::string description;
    bool operator==(const NodeNameFields&) const = default;
};

// The accepted name and description (trimmed), or the message that keeps the dialog open.
struct NodeNameOutcome {
    NodeNameFields accepted;
    std::string error;
};

// Node names are non-empty, hold no blank or tab, and are unique in the dialogue; the node
// may keep its own name (originalName) in any case.
NodeNameOutcome CheckNodeName(const NodeNameFields& typed, std::string_view originalName,
                              const std::vector<std::string>& nodeNames);

struct NpcFields {
    std::string id;  // decimal digits as typed
    std::string name;
    std::int32_t gender = kMale;  // the list's index
};

struct NpcOutcome {
    NPCData data;
    std::string error;
};

// An id too large for the file's 32-bit field is refused rather than cut to fit.
inline constexpr const char* kNpcIdRangeMessage =
    "The NPC ID must be a whole number no larger than 2147483647.";

NpcOutcome CheckNpcFields(const NpcFields& fields);
NpcFields FieldsOfNpc(const NPCData& npc);

}  // namespace tw
