#pragma once

// The rules of the "Party Members" dialog as plain functions over its field values; the
// dialog shows the fields and calls these.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "tester/party_settings.h"

namespace tw {

inline constexpr std::size_t kCompanionRows = PartySettings::kSlotCount - 1;

// What the dialog's controls hold. Companion rows are indexes into kPartyCompanions.
struct PartyDialogFields {
    std::string playerName;
    bool isFemale = false;
    std::array<int, kCompanionRows> companion{};
    std::array<bool, kCompanionRows> companionAlive{};
    std::string partySizeText;
    std::string timeText;
    int weatherIndex = 0;  // "(1) Fair", "(2) Rainy", "(3) Snowy"
};

// The fields the dialog shows when it opens on these settings.
PartyDialogFields OpenPartyDialog(const PartySettings& party);

// The size rule, applied on opening and on every change of the size edit.
struct PartySizeRule {
    int partySize = 1;
    // Set when clamping changed the number: the edit's new text.
    std::optional<std::string> replacementText;
    // Rows "2:" to "6:", list and check box together.
    std::array<bool, kCompanionRows> rowEnabled{};
};
PartySizeRule ApplyPartySizeRule(std::string_view sizeText);

inline constexpr std::string_view kPartyDialogErrorCaption = "Error";
inline constexpr std::string_view kMissingPlayerName = "Please enter a name for the Pelgrin.";

// OK: writes the fields into the settings and answers nullopt, or answers the message to
// show (caption kPartyDialogErrorCaption) and leaves the settings as they were.
std::optional<std::string> AcceptPartyDialog(const PartyDialogFields& fields, PartySettings& party);

}  // namespace tw
