#include "tester/party_settings.h"

#include <gtest/gtest.h>

#include "script/environment.h"

namespace tw {
namespace {

void ExpectString(const Environment& environment, const char* name, const char* expected) {
    const Value value = environment.Get(name);
    EXPECT_EQ(value.GetType(), ValueType::String) << name;
    EXPECT_EQ(value.GetString(), expected) << name;
}

void ExpectInteger(const Environment& environment, const char* name, int expected) {
    const Value value = environment.Get(name);
    EXPECT_EQ(value.GetType(), ValueType::Integer) << name;
    EXPECT_EQ(value.GetInteger(), expected) << name;
}

void ExpectFlag(const Environment& environment, const std::string& name, bool expected) {
    const Value value = environment.Get(name);
    EXPECT_TRUE(value.IsBoolean()) << name;
    EXPECT_EQ(value.GetBoolean(), expected) << name;
}

TEST(PartySettingsTest, DefaultSettingsSeedAFreshEnvironment) {
    Environment environment;
    PartySettings party;
    SyncPartySettings(environment, party);
    ExpectInteger(environment, "$sex", 1);
    ExpectString(environment, "$ml", "milord");
    ExpectInteger(environment, "$PartySize", 6);
    ExpectInteger(environment, "$livingpartysize", 6);
    ExpectInteger(environment, "$time", 0);
    ExpectInteger(environment, "$weather", 1);
    const char* slots[] = {"$P1", "$P2", "$P3", "$P4", "$P5", "$P6"};
    for (std::size_t slot = 0; slot < 6; ++slot) {
        ExpectString(environment, slots[slot], party.names[slot].c_str());
        ExpectFlag(environment, "W" + party.names[slot], true);
    }
    ExpectFlag(environment, "WalivePelgrin", true);
    for (std::string_view companion : kPartyCompanions) {
        ExpectFlag(environment, AliveFlagName(companion), true);
    }
    EXPECT_TRUE(environment.IsDefined("WaliveCaptainOrlek"));
    // 6 variables, 6 slots, 6 "W" flags, and the alive flags of the player and 15 companions.
    EXPECT_EQ(environment.size(), 6u + 6u + 6u + 16u);
    EXPECT_EQ(party.names[0], "Pelgrin");
    EXPECT_EQ(party.partySize, 6);
}

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
    ExpectString(environment, "$ml", "your grace");
    ExpectInteger(environment, "$sex", 2);
    ExpectInteger(environment, "$livingpartysize", 1);  // the player only
    // The slot is seeded before the fixed list, which then leaves the flag alone.
    ExpectFlag(environment, "WaliveCaptainOrlek", false);
    ExpectFlag(environment, "WCaptainOrlek", true);
    ExpectFlag(environment, "WaliveEbbo", false);

    Environment female;
    SeedPartyDefaults(female, party);
    ExpectString(female, "$ml", "milady");
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
    ExpectFlag(environment, "WaliveSirEbbo", true);
    ExpectFlag(environment, "WSirEbbo", true);
    EXPECT_EQ(party.names[1], "Sir  Ebbo");
    EXPECT_TRUE(party.alive[1]);
}

}  // namespace
}  // namespace tw
