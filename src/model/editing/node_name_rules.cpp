#include "model/editing/node_name_rules.h"

#include <algorithm>

#include "script/byte_string.h"

namespace tw {

NodeNameOutcome CheckNodeName(const NodeNameFields& typed, std::string_view originalName,
                              const std::vector<std::string>& nodeNames) {
    const std::string name = Trim(typed.name);
    if (name.empty()) {
        return {{}, "Please type a name first."};
    }
    if (name.find_first_of(" \t") != std::string::npos) {
        return {{}, "That is not a legal name -- node names may not contain spaces."};
    }
    const bool taken =
        std::any_of(nodeNames.begin(), nodeNames.end(),
                    [&name](const std::string& each) { return EqualsNoCase(each, name); });
    if (taken && !EqualsNoCase(name, originalName)) {
        return {{},
                "The node name \"" + name +
                    "\" already exists in this dialogue.  Please choose another."};
    }
    return {{name, Trim(typed.description)}, {}};
}

NpcOutcome CheckNpcFields(const NpcFields& fields) {
    const std::string id = Trim(fields.id);
    const std::string name = Trim(fields.name);
    if (id.empty() || name.empty()) {
        return {{}, "Please fill in all fields."};
    }
    return {NPCData{StrToLong32(id), name, fields.gender == kFemale ? kFemale : kMale}, {}};
}

NpcFields FieldsOfNpc(const NPCData& npc) {
    return NpcFields{FormatInt(npc.id), npc.name, npc.gender};
}

}  // namespace tw
