#include "tester/party_settings.h"

#include <algorithm>

#include "base/byte_string.h"
#include "script/environment.h"

namespace tw {
namespace {

std::string WithoutSpaces(std::string_view name) {
    std::string result;
    for (char c : name) {
        if (c != ' ') {
            result += c;
        }
    }
    return result;
}

std::string SlotVariable(std::size_t slot) {
    return "$P" + FormatInt(static_cast<std::int64_t>(slot) + 1);
}

// Only an integer value has an integer payload; any other kind counts as 0.
std::int32_t IntegerOrZero(const Value& value) {
    return value.GetType() == ValueType::Integer ? value.GetInteger() : 0;
}

std::int32_t LivingMembers(const PartySettings& party) {
    const auto size = static_cast<std::size_t>(std::clamp(party.partySize, 0, 6));
    return static_cast<std::int32_t>(
        std::count(party.alive.begin(), party.alive.begin() + size, true));
}

}  // namespace

void PartySettings::SetMember(std::string name, bool isAlive, std::size_t slot) {
    names.at(slot) = std::move(name);
    alive.at(slot) = isAlive;
}

std::string AliveFlagName(std::string_view memberName) {
    return "Walive" + WithoutSpaces(memberName);
}

void SeedPartyDefaults(Environment& environment, const PartySettings& party) {
    environment.SetDefault("$sex", Value(party.gender));
    environment.SetDefault("$ml", Value(party.gender == 1 ? "milord" : "milady"));
    environment.SetDefault("$PartySize", Value(party.partySize));
    environment.SetDefault("$livingpartysize", Value(LivingMembers(party)));
    environment.SetDefault("$time", Value(party.time));
    environment.SetDefault("$weather", Value(party.weather));
    for (std::size_t slot = 0; slot < PartySettings::kSlotCount; ++slot) {
        const std::string& name = party.names[slot];
        environment.SetDefault(SlotVariable(slot), Value(name));
        environment.SetDefault(AliveFlagName(name), Value(party.alive[slot]));
        environment.SetDefault("W" + WithoutSpaces(name), Value(true));
    }
    for (std::string_view companion : kPartyCompanions) {
        environment.SetDefault(AliveFlagName(companion), Value(true));
    }
}

void ReadPartyBack(const Environment& environment, PartySettings& party) {
    for (std::size_t slot = 0; slot < PartySettings::kSlotCount; ++slot) {
        std::string name = environment.Get(SlotVariable(slot)).ToString();
        const Value alive = environment.Get(AliveFlagName(name));
        party.SetMember(std::move(name), alive.IsBoolean() && alive.GetBoolean(), slot);
    }
    party.partySize = std::clamp(IntegerOrZero(environment.Get("$PartySize")), 1, 6);
    party.time = std::clamp(IntegerOrZero(environment.Get("$time")), 0, 2400);
    const std::int32_t weather = IntegerOrZero(environment.Get("$weather"));
    party.weather = (weather >= 1 && weather <= 3) ? weather : 1;
}

void SyncPartySettings(Environment& environment, PartySettings& party) {
    SeedPartyDefaults(environment, party);
    ReadPartyBack(environment, party);
}

}  // namespace tw
