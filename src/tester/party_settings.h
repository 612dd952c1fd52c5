#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tw {

class Environment;

// The simulated party of a test run: who travels with the player, who lives, the
// player's sex, the time of day and the weather. Slot 0 is the player.
class PartySettings {
public:
    static constexpr std::size_t kSlotCount = 6;

    std::array<std::string, kSlotCount> names{"Pelgrin", "Ebbo",    "Farrow",
                                              "Bastren", "Aveline", "Hollin"};
    std::array<bool, kSlotCount> alive{true, true, true, true, true, true};
    std::int32_t gender = 1;  // 1 male, 2 female
    std::int32_t partySize = 6;
    std::int32_t time = 0;
    std::int32_t weather = 1;  // 1 fair, 2 rainy, 3 snowy

    std::string GetMemberName(std::size_t slot) const { return names.at(slot); }
    void SetMember(std::string name, bool isAlive, std::size_t slot);
};

// The companions the party dialog offers, in its order.
inline constexpr std::array<std::string_view, 15> kPartyCompanions{
    "Captain Orlek", "Bastren", "Hollin", "Grusk",   "Ebbo",  "Wenna",  "Corwell", "Tadrin",
    "Senwick",       "Farrow",  "Kesh",   "Aveline", "Miren", "Tamsin", "Rhosyn"};

// Phase 1: seeds the party's variables and flags into the environment without
// overwriting any entry that exists.
void SeedPartyDefaults(Environment& environment, const PartySettings& party);
// Phase 2: reads the party variables back into the settings.
void ReadPartyBack(const Environment& environment, PartySettings& party);
// Both phases, in order.
void SyncPartySettings(Environment& environment, PartySettings& party);

// "Walive" + the name without its spaces: the flag that says whether a member lives.
std::string AliveFlagName(std::string_view memberName);

}  // namespace tw
