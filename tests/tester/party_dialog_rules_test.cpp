#include "tester/party_dialog_rules.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

struct SizeCase {
    const char* text;
    int size;
    std::optional<std::string> replacement;
    int enabledRows;
};

class PartySizeRuleTest : public testing::TestWithParam<SizeCase> {};

TEST_P(PartySizeRuleTest, ClampsAndEnablesTheRowsInTheParty) {
    const SizeCase& c = GetParam();
    const PartySizeRule rule = ApplyPartySizeRule(c.text);
    EXPECT_EQ(rule.partySize, c.size);
    EXPECT_EQ(rule.replacementText, c.replacement);
    for (std::size_t row = 0; row < kCompanionRows; ++row) {
        EXPECT_EQ(rule.rowEnabled[row], static_cast<int>(row) < c.enabledRows) << row;
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, PartySizeRuleTest,
                         testing::Values(SizeCase{"9", 6, "6", 5}, SizeCase{"", 1, "1", 0},
                                         SizeCase{"0", 1, "1", 0}, SizeCase{"3", 3, {}, 2},
                                         SizeCase{"6", 6, {}, 5}, SizeCase{"1", 1, {}, 0},
                                         SizeCase{"99999999999", 6, "6", 5}));

TEST(PartyDialogTest, OpeningShowsTheSettings) {
    PartySettings party;
    party.gender = 2;
    party.SetMember("bastren", false, 1);  // matched without case
    party.SetMember("Stranger", true, 2);  // not offered: the first companion
    party.time = 1200;
    party.weather = 3;
    const PartyDialogFields fields = OpenPartyDialog(party);
    EXPECT_EQ(fields.playerName, "Pelgrin");
    EXPECT_TRUE(fields.isFemale);
    EXPECT_EQ(fields.companion[0], 1);
    EXPECT_FALSE(fields.companionAlive[0]);
    EXPECT_EQ(fields.companion[1], 0);
    EXPECT_EQ(fields.companion[3], 11);  // Aveline
    EXPECT_EQ(fields.partySizeText, "6");
    EXPECT_EQ(fields.timeText, "1200");
    EXPECT_EQ(fields.weatherIndex, 2);
}

TEST(PartyDialogTest, OkRefusesAPlayerNameOfOnlySpacesAndCutsALongOne) {
    PartySettings party;
    PartyDialogFields fields = OpenPartyDialog(party);
    fields.playerName = "   ";
    fields.partySizeText = "2";
    EXPECT_EQ(AcceptPartyDialog(fields, party), "Please enter a name for the Pelgrin.");
    EXPECT_EQ(party.names[0], "Pelgrin");
    EXPECT_EQ(party.partySize, 6);
    fields.playerName = std::string(300, 'x');  // only 255 characters are read
    EXPECT_EQ(AcceptPartyDialog(fields, party), std::nullopt);
    EXPECT_EQ(party.names[0], std::string(255, 'x'));
}

TEST(PartyDialogTest, OkWritesEveryRowAndKeepsTrailingSpaces) {
    PartySettings party;
    party.alive[0] = false;
    PartyDialogFields fields = OpenPartyDialog(party);
    fields.playerName = "  Ysolde  ";
    fields.isFemale = true;
    fields.companion = {0, 14, 13, 12, 2};
    fields.companionAlive = {true, false, true, false, true};
    fields.partySizeText = "3";  // rows 4 to 6 disabled, still written
    fields.timeText = "3000";    // not clamped here
    fields.weatherIndex = 1;
    EXPECT_EQ(AcceptPartyDialog(fields, party), std::nullopt);
    EXPECT_EQ(party.names[0], "Ysolde  ");
    EXPECT_TRUE(party.alive[0]);
    EXPECT_EQ(party.gender, 2);
    const std::array<std::string, 5> names{"Captain Orlek", "Rhosyn", "Tamsin", "Miren", "Hollin"};
    for (std::size_t row = 0; row < kCompanionRows; ++row) {
        EXPECT_EQ(party.names[row + 1], names[row]);
        EXPECT_EQ(party.alive[row + 1], fields.companionAlive[row]);
    }
    EXPECT_EQ(party.partySize, 3);
    EXPECT_EQ(party.time, 3000);
    EXPECT_EQ(party.weather, 2);
}

}  // namespace
}  // namespace tw
