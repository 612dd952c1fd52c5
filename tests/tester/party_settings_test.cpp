#include "tester/party_settings.h"

#include <gtest/gtest.h>

#include "script/environment.h"

namespace tw {
namespace {

TEST(PartySettingsTest, PhaseOneNeverOverwritesAndCountsOnlyTheLivingInTheParty) {
    Environment environment;
    environment.Set("$ml", Value("your grace"));
    PartySettings party;
    party.gender = 2;
    party.partySize = 3;
    party.alive[1] = false;
    party.alive[4] = false;  // outside the party: not counted
    party.SetMember("Captain Orlek", false, 2);
    SeedPartyDefaults(environment, party);
    EXPECT_EQ(environment.Get("$ml"), Value("your grace"));
    EXPECT_EQ(environment.Get("$sex"), Value(2));
    EXPECT_EQ(environment.Get("$livingpartysize"), Value(1));  // the player only
    // The slot is seeded before the fixed list, which then leaves the flag alone.
    EXPECT_EQ(environment.Get("WaliveCaptainOrlek"), Value(false));
    EXPECT_EQ(environment.Get("WCaptainOrlek"), Value(true));
    EXPECT_EQ(environment.Get("WaliveEbbo"), Value(false));

    Environment female;
    SeedPartyDefaults(female, party);
    EXPECT_EQ(female.Get("$ml"), Value("milady"));
}

struct ReadBackCase {
    const char* name;
    Value value;
    int PartySettings::*field;
    int expected;
};

class PartyReadBackTest : public testing::TestWithParam<ReadBackCase> {};

TEST_P(PartyReadBackTest, ClampsWhatItReadsBack) {
    Environment environment;
    PartySettings party;
    SeedPartyDefaults(environment, party);
    environment.Set(GetParam().name, GetParam().value);
    ReadPartyBack(environment, party);
    EXPECT_EQ(party.*GetParam().field, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, PartyReadBackTest,
    testing::Values(ReadBackCase{"$time", Value(3000), &PartySettings::time, 2400},
                    ReadBackCase{"$time", Value(-5), &PartySettings::time, 0},
                    ReadBackCase{"$time", Value(1300), &PartySettings::time, 1300},
                    ReadBackCase{"$weather", Value(0), &PartySettings::weather, 1},
                    ReadBackCase{"$weather", Value(4), &PartySettings::weather, 1},
                    ReadBackCase{"$weather", Value(3), &PartySettings::weather, 3},
                    ReadBackCase{"$PartySize", Value(9), &PartySettings::partySize, 6},
                    ReadBackCase{"$PartySize", Value(0), &PartySettings::partySize, 1},
                    ReadBackCase{"$PartySize", Value(4), &PartySettings::partySize, 4},
                    // Only integers have an integer payload.
                    ReadBackCase{"$PartySize", Value(4.0), &PartySettings::partySize, 1},
                    ReadBackCase{"$PartySize", Value("4"), &PartySettings::partySize, 1}));

TEST(PartySettingsTest, ReadBackTakesNamesAndAliveFlagsFromTheEnvironment) {
    Environment environment;
    PartySettings party;
    SeedPartyDefaults(environment, party);
    environment.Set("WaliveKesh", Value(false));
    environment.Set("$P3", Value("Kesh"));
    environment.Set("$P4", Value("Miren"));  // alive by the fixed list
    environment.Set("$P5", Value(12));
    ReadPartyBack(environment, party);
    EXPECT_EQ(party.names[2], "Kesh");
    EXPECT_FALSE(party.alive[2]);
    EXPECT_EQ(party.names[3], "Miren");
    EXPECT_TRUE(party.alive[3]);
    EXPECT_EQ(party.names[4], "12");
    EXPECT_FALSE(party.alive[4]);  // no flag "Walive12"
}

TEST(PartySettingsTest, MissingEntriesReadBackAsZero) {
    Environment environment;
    PartySettings party;
    ReadPartyBack(environment, party);
    for (std::size_t slot = 0; slot < PartySettings::kSlotCount; ++slot) {
        EXPECT_EQ(party.names[slot], "0");
        EXPECT_FALSE(party.alive[slot]);
    }
    EXPECT_EQ(party.partySize, 1);
    EXPECT_EQ(party.time, 0);
    EXPECT_EQ(party.weather, 1);
}

TEST(PartySettingsTest, SlotNamesWithSpacesUseFlagsWithoutSpaces) {
    EXPECT_EQ(AliveFlagName("Captain Orlek"), "WaliveCaptainOrlek");
    EXPECT_EQ(AliveFlagName(" a b "), "Waliveab");
    Environment environment;
    PartySettings party;
    party.SetMember("Sir  Ebbo", true, 1);
    SyncPartySettings(environment, party);
    EXPECT_EQ(environment.Get("WaliveSirEbbo"), Value(true));
    EXPECT_EQ(environment.Get("WSirEbbo"), Value(true));
    EXPECT_EQ(party.names[1], "Sir  Ebbo");
    EXPECT_TRUE(party.alive[1]);
}

}  // namespace
}  // namespace tw
