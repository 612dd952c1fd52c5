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

struct ScanCase {
    const char* text;
    const char* expected;
};

class SubstitutionScanTest : public TextSubstitutionTest,
                             public testing::WithParamInterface<ScanCase> {};

TEST_P(SubstitutionScanTest, ReplacesReferencesAndKeepsEverythingElse) {
    environment.Set("$name", Value("Pelgrin"));
    environment.Set("$i", Value(5));
    environment.Set("$r", Value(2.5));
    environment.Set("$b", Value(true));
    environment.Set("$e", Value(""));
    environment.Set("$1", Value(-7));
    environment.Set("$_x", Value("under"));
    EXPECT_EQ(Substitution().SubstituteVariables(GetParam().text), GetParam().expected);
    EXPECT_TRUE(warnings.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SubstitutionScanTest,
    testing::Values(ScanCase{"Hello, $name.", "Hello, Pelgrin."}, ScanCase{"x", "x"},
                    ScanCase{"", ""}, ScanCase{"$", "$"}, ScanCase{"cost: 5$", "cost: 5$"},
                    ScanCase{"a $ b", "a $ b"}, ScanCase{"$$", "$$"},
                    ScanCase{"$$name", "$Pelgrin"}, ScanCase{"$NAME$name", "PelgrinPelgrin"},
                    ScanCase{"$i/$r/$b", "5/2.500000/true"}, ScanCase{"[$e]", "[]"},
                    ScanCase{"$1.", "-7."}, ScanCase{"$1 $_x", "-7 under"},
                    ScanCase{"$name\xe9", "Pelgrin\xe9"}, ScanCase{"$\xe9", "$\xe9"},
                    ScanCase{"{\\rtf1 $name\\par}", "{\\rtf1 Pelgrin\\par}"}));

TEST_F(TextSubstitutionTest, UnboundVariablesAreWarnedAboutAndDropped) {
    EXPECT_EQ(Substitution().SubstituteVariables("Hi $who and $Who_2!"), "Hi  and !");
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_EQ(warnings[0],
              "WARNING: Unbound variable $who in node text.  Replaced with empty string.");
    EXPECT_EQ(warnings[1],
              "WARNING: Unbound variable $Who_2 in node text.  Replaced with empty string.");
    EXPECT_FALSE(environment.IsDefined("$who"));
}

TEST_F(TextSubstitutionTest, RandomCompanionInAnyCaseSetsTheCompanionAndPronoun) {
    // 18467 % 5 + 1 = 3: slot 3, then 6334 % 5 + 1 = 5, then 26500 % 5 + 1 = 1.
    party.SetMember("Tamsin", true, 5);
    TextSubstitution substitution = Substitution();
    EXPECT_EQ(random.Next(), 41);
    EXPECT_EQ(substitution.SubstituteVariables("$PRnd, $prnd and $PRND told $H friend"),
              "Bastren, Tamsin and Ebbo told his friend");
    EXPECT_EQ(environment.Get("$PRnd").GetString(), "Ebbo");
    EXPECT_EQ(environment.Get("$H").GetString(), "his");
    EXPECT_EQ(substitution.SubstituteVariables("$H"), "his");
    EXPECT_TRUE(warnings.empty());
}

TEST_F(TextSubstitutionTest, PartyOfOneHasNoRandomCompanion) {
    party.partySize = 1;
    environment.Set("$PRnd", Value("Ebbo"));
    TextSubstitution substitution = Substitution();
    EXPECT_EQ(substitution.SubstituteVariables("<$PRnd><$prnd>"), "<><>");
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_EQ(warnings[0], "WARNING: $PRnd variable used with a party size of 1");
    EXPECT_EQ(environment.Get("$PRnd").GetString(), "");
    EXPECT_EQ(environment.Get("$H").GetType(), ValueType::String);
    EXPECT_EQ(substitution.RandomPartyMember(), "");
    // Refreshing leaves the companion alone and draws nothing.
    environment.Set("$PRnd", Value("Ebbo"));
    substitution.RefreshRandomValues();
    EXPECT_EQ(environment.Get("$PRnd").GetString(), "Ebbo");
    EXPECT_EQ(environment.Get("$rand").GetInteger(), 0);
    EXPECT_EQ(random.Next(), 41);
}

TEST_F(TextSubstitutionTest, PartyOfTwoAlwaysHasItsOneCompanion) {
    party.partySize = 2;
    TextSubstitution substitution = Substitution();
    const std::string companion = substitution.SubstituteVariables("$PRnd");
    EXPECT_FALSE(companion.empty());
    EXPECT_EQ(substitution.SubstituteVariables("$PRnd"), companion);
    EXPECT_TRUE(warnings.empty());
}

TEST_F(TextSubstitutionTest, RandIsDrawnPerReferenceWithItsCompanion) {
    environment.Set("$randmax", Value(6));
    party.partySize = 3;
    // 41 % 6 + 1 = 6 and companion 18467 % 2 + 1 = 2; 6334 % 6 + 1 = 5, 26500 % 2 + 1 = 1.
    EXPECT_EQ(Substitution().SubstituteVariables("$rand-$RAND"), "6-5");
    EXPECT_EQ(environment.Get("$rand").GetInteger(), 5);
    EXPECT_EQ(environment.Get("$PRnd").GetString(), "Ebbo");
    EXPECT_EQ(environment.Get("$H").GetString(), "his");
}

struct RandMaxCase {
    Value randMax;
    int expected;
    int draws;
};

class RandMaxTest : public TextSubstitutionTest, public testing::WithParamInterface<RandMaxCase> {};

TEST_P(RandMaxTest, RandRangeFollowsRandMax) {
    party.partySize = 1;
    if (GetParam().randMax.GetType() != ValueType::Invalid) {
        environment.Set("$randmax", GetParam().randMax);
    }
    TextSubstitution substitution = Substitution();
    substitution.RefreshRandomValues();
    EXPECT_EQ(environment.Get("$rand").GetType(), ValueType::Integer);
    EXPECT_EQ(environment.Get("$rand").GetInteger(), GetParam().expected);
    RandomSource reference(1);
    for (int i = 0; i < GetParam().draws; ++i) {
        reference.Next();
    }
    EXPECT_EQ(random.Next(), reference.Next());
}

INSTANTIATE_TEST_SUITE_P(Values, RandMaxTest,
                         testing::Values(RandMaxCase{Value(), 0, 0}, RandMaxCase{Value(0), 0, 0},
                                         RandMaxCase{Value(-3), 0, 0}, RandMaxCase{Value(1), 1, 1},
                                         RandMaxCase{Value(100), 42, 1},
                                         RandMaxCase{Value(6.0), 0, 0},
                                         RandMaxCase{Value("6"), 0, 0}));

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
