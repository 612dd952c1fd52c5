#include "script/excerpt.h"

#include <gtest/gtest.h>

#include <string>

#include "script/compile.h"
#include "script/script_errors.h"

namespace tw {
namespace {

TEST(ExcerptTest, ShortTextsStayWholeAndLongOnesAreCut) {
    EXPECT_EQ(Excerpt(""), "");
    EXPECT_EQ(Excerpt(std::string(kMaxExcerptBytes, 'a')), std::string(kMaxExcerptBytes, 'a'));
    EXPECT_EQ(Excerpt(std::string(kMaxExcerptBytes + 1, 'a')),
              std::string(kMaxExcerptBytes, 'a') + "...");
    EXPECT_EQ(Excerpt("abcdef", 3), "abc...");
}

TEST(ExcerptTest, NeverSplitsAUtf8Character) {
    // "é" is C3 A9: a cut after C3 would leave half a character.
    EXPECT_EQ(Excerpt("ab\xC3\xA9z", 3), "ab...");
    EXPECT_EQ(Excerpt("ab\xC3\xA9z", 4), "ab\xC3\xA9...");
    // Windows-1252 bytes that only look like continuations are cut where they are.
    EXPECT_EQ(Excerpt("a\x93\x94\x85\x96z", 4), "a\x93\x94\x85...");
    EXPECT_EQ(Excerpt("a\x93\x94z", 2), "a\x93...");
}

std::string SyntaxMessage(const std::string& line) {
    try {
        CompileStatement(line);
    } catch (const SyntaxError& e) {
        return e.GetMessage();
    }
    return "(no error)";
}

// A hostile script line (a 5 MB token) comes back as a message of a few hundred bytes.
TEST(ExcerptTest, ScriptErrorsQuoteOnlyAnExcerptOfTheirInput) {
    const std::string huge(5'000'000, 'a');
    const std::string cut = std::string(kMaxExcerptBytes, 'a') + "...";
    EXPECT_EQ(SyntaxMessage("$x = \"" + huge), "Unterminated string constant: " + cut);
    EXPECT_EQ(SyntaxMessage("$x = 1" + huge),
              "Invalid numeric constant: 1" + std::string(kMaxExcerptBytes - 1, 'a') + "...");
    EXPECT_EQ(SyntaxMessage("$x = " + std::string(5'000'000, '@')),
              "Invalid operator: " + std::string(kMaxExcerptBytes, '@') + "...");
    EXPECT_EQ(SyntaxMessage(huge + " 1"),
              "Invalid statement (expected '=' following identifier '" + cut + "')");
    // Short texts are quoted whole, as before.
    EXPECT_EQ(SyntaxMessage("$x = \"abc"), "Unterminated string constant: abc");
}

}  // namespace
}  // namespace tw
