#include "model/editing/node_name_rules.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "base/byte_string.h"

namespace tw {
namespace {

// The whole text as a 32-bit id (a sign is kept for ids read from files); nothing when it
// holds anything else or does not fit.
std::optional<std::int32_t> ParseNpcId(std::string_view text) {
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc{} || stop != end) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

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
    const std::optional<std::int32_t> number = ParseNpcId(id);
    if (!number) {
        return {{}, kNpcIdRangeMessage};
    }
    return {NPCData{*number, name, fields.gender == kFemale ? kFemale : kMale}, {}};
}

NpcFields FieldsOfNpc(const NPCData& npc) {
    return NpcFields{FormatInt(npc.id), npc.name, npc.gender};
}

}  // namespace tw
