#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tw {

class Environment;
class PartySettings;
class RandomSource;

// Fills the variables named in node, response and choice texts with their values from the
// test environment, drawing "$rand" and the random companion "$PRnd" as it goes.
class TextSubstitution {
public:
    // Receives the warnings meant for the tester's message list.
    using WarningSink = std::function<void(const std::string&)>;

    TextSubstitution(Environment& environment, const PartySettings& party, RandomSource& random,
                     WarningSink warn);

    std::string SubstituteVariables(std::string_view text);
    // New "$rand", and a new "$PRnd" and "$H" when the party has companions.
    void RefreshRandomValues();
    // A companion of the party (never the player); needs a party of 2 or more.
    std::string RandomPartyMember();

private:
    std::string Replacement(std::string_view name);
    std::string RandomCompanionReplacement();
    int PartySize() const;

    Environment& environment_;
    const PartySettings& party_;
    RandomSource& random_;
    WarningSink warn_;
};

// "her" for the party's women, "his" for everyone else.
std::string PronounFor(std::string_view name);

}  // namespace tw
