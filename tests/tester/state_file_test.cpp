#include "tester/state_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tw {
namespace {

TEST(StateFileTest, ValueText) {
    struct Case {
        Value value;
        const char* text;
    };
    const Case cases[] = {
        {Value(12), "12"},
        {Value(-7), "-7"},
        {Value(2.5), "2.500000"},
        {Value(true), "true"},
        {Value(false), "false"},
        {Value(), "0"},
        {Value("Orvane"), "\"Orvane\""},
        {Value(""), "\"\""},
        {Value("it's"), "\"it's\""},
        {Value("he said \"hi\""), "'he said \"hi\"'"},
        {Value("\"it's\""), "'\"it' + \"'s\" + '\"'"},
        {Value(-2147483647 - 1), "-2147483647 - 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(StateValueText(c.value), c.text);
    }
}

TEST(StateFileTest, EntryLines) {
    EXPECT_EQ(StateEntryLine("$count", Value(12)), "$count = 12");
    EXPECT_EQ(StateEntryLine("kMet", Value(true)), "set kMet = true");
    EXPECT_EQ(StateEntryLine("$name", Value("Orvane")), "$name = \"Orvane\"");
}

Environment SampleEnvironment() {
    Environment environment;
    environment.Set("kMet", true);
    environment.Set("$Count", 12);
    environment.Set("a_b", false);
    environment.Set("$quote", "he said \"hi\"");
    environment.Set("$both", "say \"it's\" twice");
    environment.Set("$rate", 0.25);
    environment.Set("$min", -2147483647 - 1);
    environment.Set("$empty", "");
    return environment;
}

TEST(StateFileTest, WritesEntriesInNameOrder) {
    EXPECT_EQ(WriteStateText(SampleEnvironment()),
              "$both = \"say \" + '\"it' + \"'s\" + '\" twice'\n"
              "$Count = 12\n"
              "$empty = \"\"\n"
              "$min = -2147483647 - 1\n"
              "$quote = 'he said \"hi\"'\n"
              "$rate = 0.250000\n"
              "set a_b = false\n"
              "set kMet = true\n");
    EXPECT_EQ(WriteStateText(Environment()), "");
}

TEST(StateFileTest, WrittenStateLoadsBackUnchanged) {
    const Environment original = SampleEnvironment();
    const std::string text = WriteStateText(original);
    Environment loaded;
    EXPECT_EQ(LoadStateText(loaded, text), std::vector<std::string>{});
    ASSERT_EQ(loaded.size(), original.size());
    for (const auto& [name, value] : original) {
        SCOPED_TRACE(name);
        EXPECT_EQ(loaded.Get(name), value);
    }
    EXPECT_EQ(WriteStateText(loaded), text);
}

TEST(StateFileTest, ExecuteLineReportsFailuresWithPrefixAndLine) {
    Environment environment;
    std::string error = "untouched";
    EXPECT_TRUE(ExecuteLine(environment, "$x = 3", "P: ", error));
    EXPECT_TRUE(ExecuteLine(environment, "   ", "P: ", error));
    EXPECT_EQ(error, "untouched");
    EXPECT_EQ(environment.Get("$x"), Value(3));

    struct Case {
        const char* line;
        const char* error;
    };
    const Case cases[] = {
        {"$y = ", "Set error (1): $y = : Assignment statement ends prematurely"},
        {"set maybe = kA + kB",
         "Set error (1): set maybe = kA + kB: '+' operator can not be applied to boolean values"},
        {"$z = 1 / 0", "Set error (1): $z = 1 / 0: Division by zero"},
        {"set F = 1", "Set error (1): set F = 1: Result of 'set' must be a boolean value"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(ExecuteLine(environment, c.line, "Set error (1): ", error));
        EXPECT_EQ(error, c.error);
    }
    EXPECT_EQ(environment.size(), 1u);
}

TEST(StateFileTest, ExecuteLineIgnoresControlTransfers) {
    Environment environment;
    std::string error;
    EXPECT_TRUE(ExecuteLine(environment, "goto Start", "", error));
    EXPECT_TRUE(ExecuteLine(environment, "end conversation", "", error));
    EXPECT_TRUE(ExecuteLine(environment, "list 'a' -> A", "", error));
    EXPECT_TRUE(environment.empty());
    EXPECT_EQ(error, "");
}

TEST(StateFileTest, LoadCountsEveryLineAndKeepsWhatWorked) {
    Environment environment;
    environment.Set("$kept", 1);
    const std::vector<std::string> errors =
        LoadStateText(environment, "  $a = 1\r\n\n$b = \n\t\nset F = true\n$c = 'x\n");
    const std::vector<std::string> expected{
        "Error on line 3: $b =: Assignment statement ends prematurely",
        "Error on line 6: $c = 'x: Unterminated string constant: x",
    };
    EXPECT_EQ(errors, expected);
    EXPECT_EQ(environment.Get("$a"), Value(1));
    EXPECT_EQ(environment.Get("F"), Value(true));
    EXPECT_EQ(environment.Get("$kept"), Value(1));
    EXPECT_EQ(environment.size(), 3u);
}

TEST(StateFileTest, LoadUsesTheGivenPrefix) {
    Environment environment;
    EXPECT_EQ(LoadStateText(environment, "\nx 5", "state "),
              std::vector<std::string>{
                  "state 2: x 5: Invalid statement (expected '=' following identifier 'x')"});
}

// A file of failing lines lists only the first errors and counts the rest, so its error
// list costs no more than the file.
TEST(StateFileTest, LoadListsAThousandErrorsAndCountsTheRest) {
    std::string text;
    for (std::size_t i = 0; i < kMaxListedStateErrors + 250; ++i) {
        text += "$ok" + std::to_string(i) + " = 1\nbad\n";
    }
    Environment environment;
    const std::vector<std::string> errors =
        LoadStateText(environment, text, "state ", StateErrorForm::kMessageOnly);
    ASSERT_EQ(errors.size(), kMaxListedStateErrors + 1);
    EXPECT_TRUE(errors.front().starts_with("state 2: ")) << errors.front();
    EXPECT_TRUE(errors[kMaxListedStateErrors - 1].starts_with("state 2000: "));
    EXPECT_EQ(errors.back(), "... and 250 more");
    EXPECT_EQ(environment.size(), kMaxListedStateErrors + 250);
}

}  // namespace
}  // namespace tw
