#include "tester/road.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(RoadTest, LinesBecomeStepsWithTheAnswersOfTheirQuestions) {
    const std::optional<Road> road =
        ParseRoad({"no", "2", "yes", "no", "say hello there", "say", "11"});
    ASSERT_TRUE(road.has_value());
    EXPECT_EQ(road->startAnswers, std::vector<MessageAnswer>{MessageAnswer::kNo});
    ASSERT_EQ(road->steps.size(), 4u);
    EXPECT_FALSE(road->steps[0].isReply);
    EXPECT_EQ(road->steps[0].row, 1u);
    EXPECT_EQ(road->steps[0].answers,
              (std::vector<MessageAnswer>{MessageAnswer::kYes, MessageAnswer::kNo}));
    EXPECT_TRUE(road->steps[1].isReply);
    EXPECT_EQ(road->steps[1].reply, "hello there");
    EXPECT_EQ(road->steps[2].reply, "");
    EXPECT_EQ(road->steps[3].row, 10u);
    for (const char* bad : {"0", "-1", "2x", "do goto A", "sayhi", ""}) {
        EXPECT_FALSE(ParseRoad({bad}).has_value()) << bad;
    }
}

TEST(RoadTest, ARecordingNamesItsSettingBeforeItsLines) {
    EXPECT_EQ(RecordingText({"../inn.vrx", 7, "Greet"}, {"1", "say Orla", "yes"}),
              "#! dialogue: ../inn.vrx\n#! seed: 7\n#! start: Greet\n1\nsay Orla\nyes\n");
    EXPECT_EQ(RecordingText({"inn.vrx", 1, ""}, {}), "#! dialogue: inn.vrx\n#! seed: 1\n");
    EXPECT_EQ(AnswerLine(MessageAnswer::kCancel), "cancel");
}

}  // namespace
}  // namespace tw
