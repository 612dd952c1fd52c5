#include "tester/text_substitution.h"

#include <gtest/gtest.h>

#include <vector>

#include "script/environment.h"
#include "tester/party_settings.h"
#include "tester/random_source.h"

namespace tw {
namespace {

// After srand(1) the generator yields 41, 18467, 6334, 26500, 19169, ...
class TextSubstitutionTest : public testing::Test {
protected:
    TextSubstitution Substitution() {
        return TextSubstitution(environment, party, random,
                                [this](const std::string& text) { warnings.push_back(text); });
    }

    Environment environment;
    PartySettings party;
    RandomSource random{1};
    std::vector<std::string> warnings;
};

TEST_F(TextSubstitutionTest, RandomPartyMemberNeverDrawsThePlayerNorLeavesTheParty) {
    party.partySize = 4;
    TextSubstitution substitution = Substitution();
    for (int i = 0; i < 200; ++i) {
        const std::string member = substitution.RandomPartyMember();
        EXPECT_TRUE(member == "Ebbo" || member == "Farrow" || member == "Bastren") << member;
    }
}

TEST(PronounTest, WomenOfThePartyAreHer) {
    for (const char* name : {"Aveline", "miren", "TAMSIN", "Rhosyn"}) {
        EXPECT_EQ(PronounFor(name), "her") << name;
    }
    for (const char* name : {"Ebbo", "Captain Orlek", "", "Aveline "}) {
        EXPECT_EQ(PronounFor(name), "his") << name;
    }
}

}  // namespace
}  // namespace tw
