#include "tester/text_substitution.h"

#include <gtest/gtest.h>

#include "script/environment.h"
#include "tester/party_settings.h"
#include "tester/random_source.h"

namespace tw {
namespace {

TEST(TextSubstitutionTest, RandomPartyMemberNeverDrawsThePlayerNorLeavesTheParty) {
    Environment environment;
    PartySettings party;
    party.partySize = 4;
    RandomSource random{1};
    TextSubstitution substitution(environment, party, random, [](const std::string&) {});
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
