#include "tester/party_dialog_rules.h"

#include <algorithm>

#include "base/byte_string.h"

namespace tw {
namespace {

constexpr std::size_t kMaxPlayerName = 255;

int CompanionIndex(std::string_view name) {
    const auto found =
        std::find_if(kPartyCompanions.begin(), kPartyCompanions.end(),
                     [name](std::string_view companion) { return EqualsNoCase(companion, name); });
    return found == kPartyCompanions.end()
               ? 0
               : static_cast<int>(std::distance(kPartyCompanions.begin(), found));
}

std::string_view CompanionName(int index) {
    const auto valid = static_cast<std::size_t>(index) < kPartyCompanions.size();
    return kPartyCompanions[valid ? static_cast<std::size_t>(index) : 0];
}

}  // namespace

PartyDialogFields OpenPartyDialog(const PartySettings& party) {
    PartyDialogFields fields;
    fields.playerName = party.names[0];
    fields.isFemale = party.gender != 1;
    for (std::size_t row = 0; row < kCompanionRows; ++row) {
        fields.companion[row] = CompanionIndex(party.names[row + 1]);
        fields.companionAlive[row] = party.alive[row + 1];
    }
    fields.partySizeText = FormatInt(party.partySize);
    fields.timeText = FormatInt(party.time);
    fields.weatherIndex = party.weather - 1;
    return fields;
}

PartySizeRule ApplyPartySizeRule(std::string_view sizeText) {
    PartySizeRule rule;
    const std::int32_t typed = StrToLong32(sizeText);
    rule.partySize = std::clamp(typed, 1, 6);
    if (rule.partySize != typed) {
        rule.replacementText = FormatInt(rule.partySize);
    }
    for (std::size_t row = 0; row < kCompanionRows; ++row) {
        // Row "2:" holds slot 1, so row index r is row number r + 2.
        rule.rowEnabled[row] = static_cast<int>(row) + 2 <= rule.partySize;
    }
    return rule;
}

std::optional<std::string> AcceptPartyDialog(const PartyDialogFields& fields,
                                             PartySettings& party) {
    std::string name = TrimLeft(std::string_view(fields.playerName).substr(0, kMaxPlayerName));
    if (name.empty()) {
        return std::string(kMissingPlayerName);
    }
    party.SetMember(std::move(name), true, 0);
    party.gender = fields.isFemale ? 2 : 1;
    for (std::size_t row = 0; row < kCompanionRows; ++row) {
        party.SetMember(std::string(CompanionName(fields.companion[row])),
                        fields.companionAlive[row], row + 1);
    }
    party.partySize = StrToLong32(fields.partySizeText);
    party.time = StrToLong32(fields.timeText);
    party.weather = fields.weatherIndex + 1;
    return std::nullopt;
}

}  // namespace tw
