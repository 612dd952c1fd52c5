#include "model/json_value_builder.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

using Json = nlohmann::json;

TEST(JsonValueBuilder, NestsValuesAndKeepsTheLastOfARepeatedKey) {
    JsonValueBuilder builder;
    builder.Put(Json::object());
    builder.Key("a");
    builder.Put(1);
    builder.Key("list");
    builder.Put(Json::array());
    builder.Put("x");
    builder.Put(Json::object());
    builder.Key("inner");
    builder.Put(Json::array());
    builder.Close();
    builder.Close();
    builder.Put(nullptr);
    EXPECT_TRUE(builder.Building());
    builder.Close();
    builder.Key("a");
    builder.Put(Json::array());
    builder.Put(2);
    builder.Close();
    EXPECT_FALSE(builder.Complete());
    builder.Close();
    EXPECT_TRUE(builder.Complete());
    EXPECT_FALSE(builder.Building());
    EXPECT_EQ(builder.Take(), Json::parse(R"({"a": [2], "list": ["x", {"inner": []}, null]})"));
    EXPECT_FALSE(builder.Complete());
}

TEST(JsonValueBuilder, ScalarIsCompleteAtOnceAndTakeStartsAfresh) {
    JsonValueBuilder builder;
    builder.Put("text");
    EXPECT_TRUE(builder.Complete());
    EXPECT_FALSE(builder.Building());
    EXPECT_EQ(builder.Take(), Json("text"));
    builder.Put(Json::array());
    builder.Put(true);
    builder.Close();
    EXPECT_EQ(builder.Take(), Json::parse("[true]"));
}

TEST(JsonValueBuilder, DeepValuesNeedNoRecursion) {
    JsonValueBuilder builder;
    for (int i = 0; i < 200000; ++i) {
        builder.Put(Json::array());
    }
    for (int i = 0; i < 200000; ++i) {
        builder.Close();
    }
    EXPECT_TRUE(builder.Complete());
    EXPECT_TRUE(builder.Take().is_array());
}

}  // namespace
}  // namespace tw
