#include "script/environment.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tw {
namespace {

std::vector<std::string> Names(const Environment& environment) {
    std::vector<std::string> names;
    for (const auto& [name, value] : environment) {
        names.push_back(name);
    }
    return names;
}

TEST(EnvironmentTest, NamesMatchInAnyCaseAndKeepTheFirstSpelling) {
    Environment environment;
    environment.Set("$Gold", 5);
    EXPECT_EQ(environment.Get("$GOLD"), Value(5));
    environment.Set("$gold", 6);
    EXPECT_EQ(environment.Get("$Gold"), Value(6));
    EXPECT_EQ(environment.size(), 1u);
    EXPECT_EQ(Names(environment), std::vector<std::string>{"$Gold"});
    EXPECT_TRUE(environment.IsDefined("$GOLD"));
    EXPECT_FALSE(environment.IsDefined("$Golden"));
}

TEST(EnvironmentTest, IteratesInCaseInsensitiveByteOrder) {
    Environment environment;
    environment.Set("aB", true);
    environment.Set("kMet", true);
    environment.Set("a_b", true);
    environment.Set("$zeta", 1);
    environment.Set("B", true);
    environment.Set("$Alpha", 2);
    // '$' sorts below letters and '_' (0x5F) below 'b' (0x62) once lower-cased.
    const std::vector<std::string> expected{"$Alpha", "$zeta", "a_b", "aB", "B", "kMet"};
    EXPECT_EQ(Names(environment), expected);
}

TEST(EnvironmentTest, AbsentNameReadsAsInvalid) {
    const Environment environment;
    EXPECT_EQ(environment.Get("$never").GetType(), ValueType::Invalid);
    EXPECT_EQ(environment.Get("$never").ToString(), "0");
    EXPECT_TRUE(environment.empty());
}

TEST(EnvironmentTest, SetDefaultOnlyInserts) {
    Environment environment;
    environment.Set("$gold", 5);
    environment.SetDefault("$GOLD", 100);
    environment.SetDefault("$party", 3);
    EXPECT_EQ(environment.Get("$gold"), Value(5));
    EXPECT_EQ(environment.Get("$party"), Value(3));
    EXPECT_EQ(environment.size(), 2u);
}

TEST(EnvironmentTest, ClearRemovesEverything) {
    Environment environment;
    environment.Set("$a", 1);
    environment.Set("f", true);
    environment.Clear();
    EXPECT_TRUE(environment.empty());
    EXPECT_FALSE(environment.IsDefined("$a"));
}

TEST(EnvironmentTest, StoresAnyValueUnderAnyName) {
    Environment environment;
    environment.Set("flag", "text");
    environment.Set("$v", false);
    EXPECT_EQ(environment.Get("flag"), Value("text"));
    EXPECT_EQ(environment.Get("$v"), Value(false));
    EXPECT_TRUE(IsVariableName("$v"));
    EXPECT_FALSE(IsVariableName("flag"));
    EXPECT_FALSE(IsVariableName(""));
}

}  // namespace
}  // namespace tw
