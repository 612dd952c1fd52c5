#include "model/editing/node_name_rules.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

const std::vector<std::string> kNodes{"Greeting", "Trade", "Farewell"};

TEST(NodeNameRulesTest, NamesMustBeGivenAndHoldNoBlanks) {
    EXPECT_EQ(CheckNodeName({" \t ", "d"}, "", kNodes).error, "Please type a name first.");
    const char* const spaces = "That is not a legal name -- node names may not contain spaces.";
    EXPECT_EQ(CheckNodeName({"Ask Mill", ""}, "", kNodes).error, spaces);
    EXPECT_EQ(CheckNodeName({"Ask\tMill", ""}, "", kNodes).error, spaces);
    const NodeNameOutcome trimmed = CheckNodeName({"  AskMill \t", " about the mill "}, "", kNodes);
    EXPECT_EQ(trimmed.error, "");
    EXPECT_EQ(trimmed.accepted, (NodeNameFields{"AskMill", "about the mill"}));
}

TEST(NodeNameRulesTest, NamesAreUniqueButANodeKeepsItsOwn) {
    EXPECT_EQ(CheckNodeName({"trade", ""}, "", kNodes).error,
              "The node name \"trade\" already exists in this dialogue.  Please choose another.");
    EXPECT_EQ(CheckNodeName({"FAREWELL", ""}, "Greeting", kNodes).error,
              "The node name \"FAREWELL\" already exists in this dialogue.  Please choose "
              "another.");
    const NodeNameOutcome renamed = CheckNodeName({"TRADE", "x"}, "Trade", kNodes);
    EXPECT_EQ(renamed.error, "");
    EXPECT_EQ(renamed.accepted.name, "TRADE");
}

TEST(NpcRulesTest, IdAndNameAreNeeded) {
    EXPECT_EQ(CheckNpcFields({"12", "   ", kMale}).error, "Please fill in all fields.");
    EXPECT_EQ(CheckNpcFields({" ", "Orla", kMale}).error, "Please fill in all fields.");
    const NpcOutcome done = CheckNpcFields({" 0042 ", "  Orla the Miller ", kFemale});
    EXPECT_EQ(done.error, "");
    EXPECT_EQ(done.data.id, 42);
    EXPECT_EQ(done.data.name, "Orla the Miller");
    EXPECT_EQ(done.data.gender, kFemale);
}

// The id box takes digits only, but a long run of them does not fit the file's field.
TEST(NpcRulesTest, AnIdThatDoesNotFitIsRefused) {
    EXPECT_EQ(CheckNpcFields({"2147483647", "X", kMale}).data.id, 2147483647);
    EXPECT_EQ(CheckNpcFields({"-7", "X", kMale}).data.id, -7);  // as a file may hold it
    for (const char* id : {"2147483648", "99999999999", "12x", "+5"}) {
        const NpcOutcome refused = CheckNpcFields({id, "X", kMale});
        EXPECT_EQ(refused.error, kNpcIdRangeMessage) << id;
        EXPECT_EQ(refused.data.id, 0) << id;
    }
}

TEST(NpcRulesTest, FieldsShowTheData) {
    const NpcFields fields = FieldsOfNpc(NPCData{7, "Brannoc", kFemale});
    EXPECT_EQ(fields.id, "7");
    EXPECT_EQ(fields.name, "Brannoc");
    EXPECT_EQ(fields.gender, kFemale);
}

}  // namespace
}  // namespace tw
