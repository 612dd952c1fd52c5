#include "script/excerpt.h"

#include <gtest/gtest.h>

#include <string>

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

}  // namespace
}  // namespace tw
