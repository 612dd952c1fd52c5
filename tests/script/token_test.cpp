#include "script/token.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "script/script_errors.h"

namespace tw {
namespace {

TEST(TokenTest, TextOfEachKind) {
    EXPECT_EQ(Token::Delimiter(',').GetText(), ",");
    EXPECT_EQ(Token::Keyword("GoTo").GetText(), "GoTo");
    EXPECT_EQ(Token::Identifier("$Gold").GetText(), "$Gold");
    EXPECT_EQ(Token::Operator("AnD").GetText(), "AnD");
    EXPECT_EQ(Token::Result(3).GetText(), "");
    // A literal's text is its value's text form, not what was written.
    EXPECT_EQ(Token::Integer(7).GetText(), "7");
    EXPECT_EQ(Token::Real(0.5).GetText(), Value(0.5).ToString());
    EXPECT_EQ(Token::Boolean(true).GetText(), "true");
    EXPECT_EQ(Token::String("it's").GetText(), "it's");
    EXPECT_EQ(Token::String("").GetValue(), Value(""));
}

TEST(TokenTest, TextEqualsComparesTheTextForm) {
    EXPECT_TRUE(Token::Operator("=").TextEquals("="));
    EXPECT_FALSE(Token::Operator("==").TextEquals("="));
    EXPECT_TRUE(Token::String("=").TextEquals("="));
    EXPECT_TRUE(Token::Integer(12).TextEquals("12"));
    EXPECT_TRUE(Token::Boolean(false).TextEquals("false"));
    EXPECT_FALSE(Token::Integer(12).TextEquals(""));
}

TEST(TokenTest, LiteralsKeepTheirValue) {
    EXPECT_EQ(Token::Integer(-5).GetValue(), Value(-5));
    EXPECT_EQ(Token::Integer(2147483647).GetValue(), Value(2147483647));
    EXPECT_EQ(Token::Real(2.25).GetValue(), Value(2.25));
    EXPECT_EQ(Token::Boolean(false).GetValue(), Value(false));
    EXPECT_EQ(Token::String("a b").GetValue(), Value("a b"));
    EXPECT_EQ(Token::String("a b").GetLiteralType(), ValueType::String);
    EXPECT_EQ(Token::Identifier("x").GetValue().GetType(), ValueType::Invalid);
}

TEST(TokenTest, OperatorsCarryTheirRowAndMayBecomeBinary) {
    Token minus = Token::Operator("-");
    EXPECT_EQ(minus.GetOperatorType(), 2);
    EXPECT_EQ(minus.GetPrecedence(), 2);
    EXPECT_TRUE(minus.IsUnaryOperator());
    minus.SetPrecedence(6);
    minus.SetUnary(false);
    EXPECT_EQ(minus.GetPrecedence(), 6);
    EXPECT_FALSE(minus.IsUnaryOperator());
    EXPECT_EQ(Token::Operator("OR").GetOperatorType(), 21);
    EXPECT_THROW(Token::Operator("=>"), SyntaxError);
}

TEST(TokenTest, KeywordsAreFoundInAnyCase) {
    const std::pair<std::string_view, KeywordCode> keywords[] = {
        {"if", KeywordCode::If},         {"THEN", KeywordCode::Then}, {"Else", KeywordCode::Else},
        {"rEm", KeywordCode::Rem},       {"goto", KeywordCode::Goto}, {"SET", KeywordCode::Set},
        {"Branch", KeywordCode::Branch}, {"end", KeywordCode::End},   {"REPLY", KeywordCode::Reply},
        {"list", KeywordCode::List},
    };
    for (const auto& [word, code] : keywords) {
        SCOPED_TRACE(std::string(word));
        KeywordCode found = KeywordCode::If;
        ASSERT_TRUE(FindKeyword(word, found));
        EXPECT_EQ(found, code);
        const Token token = Token::Keyword(word);
        EXPECT_TRUE(IsKeyword(token, code));
        EXPECT_TRUE(IsKeyword(token, word));
        EXPECT_EQ(token.View(), word);
    }
    KeywordCode code = KeywordCode::If;
    for (std::string_view word : {"", "i", "iff", "conversation", "true", "and", "gotoo", "lis"}) {
        EXPECT_FALSE(FindKeyword(word, code)) << word;
    }
    EXPECT_THROW(Token::Keyword("elsewhere"), std::invalid_argument);
    EXPECT_FALSE(IsKeyword(Token::Identifier("if"), KeywordCode::If));
}

TEST(TokenTest, DelimitersAreTheirCharacter) {
    for (char c : {'(', ')', ','}) {
        const Token token = Token::Delimiter(c);
        EXPECT_TRUE(IsDelimiter(token, c));
        EXPECT_EQ(token.View(), std::string(1, c));
    }
    EXPECT_FALSE(IsDelimiter(Token::Delimiter('('), ')'));
    EXPECT_FALSE(IsDelimiter(Token::Identifier("("), '('));
    EXPECT_THROW(Token::Delimiter('\0'), std::invalid_argument);
    EXPECT_THROW(Token::Delimiter(';'), std::invalid_argument);
}

}  // namespace
}  // namespace tw
