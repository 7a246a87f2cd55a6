#include "shared/Fields.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace tarvex {
namespace {

FieldError::Kind failureOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const FieldError& error) {
        return error.kind();
    }
    ADD_FAILURE() << "no FieldError thrown";
    return FieldError::Kind::OutOfRange;
}

TEST(Fields, GetWordsReturnsOneBasedFieldsIncludingEmptyOnes)
{
    struct Case
    {
        const char* text;
        std::int16_t field;
        const char* separator;
        const char* expected;
    };
    const Case cases[] = {
        {"a.b:27500", 1, ":", "a.b"},
        {"a.b:27500", 2, ":", "27500"},
        {"a::b", 2, ":", ""},
        {"a::b", 3, ":", "b"},
        {"a:b:", 3, ":", ""},
        {":a", 1, ":", ""},
        {"abc", 1, ":", "abc"},
        {"a--b-c", 2, "--", "b-c"},
        {"a---b", 2, "--", "-b"}, // matches do not overlap
        {"abc", 1, "", "abc"},
        {"aXbxc", 1, "x", "aXb"},
        {"aXbxc", 2, "x", "c"},
        {"msgbox  hi", 1, " ", "msgbox"},
        {" lead", 1, " ", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetWords(c.text, c.field, c.separator), c.expected)
            << c.text << " field " << c.field << " at '" << c.separator << "'";
    }
}

TEST(Fields, GetWordsTellsMissingFieldsFromOverflow)
{
    struct Case
    {
        const char* text;
        std::int16_t field;
        const char* separator;
        FieldError::Kind expected;
    };
    const Case cases[] = {
        {"a.b:27500", 3, ":", FieldError::Kind::OutOfRange},
        {"a.b:27500", 0, ":", FieldError::Kind::OutOfRange},
        {"a.b:27500", -1, ":", FieldError::Kind::OutOfRange},
        {"", 1, ":", FieldError::Kind::OutOfRange},
        {"", 1, "", FieldError::Kind::OutOfRange},
        {"abc", 2, "", FieldError::Kind::OutOfRange},
        {"a:b", 32767, ":", FieldError::Kind::OutOfRange},
        {"a:b", -32768, ":", FieldError::Kind::Overflow},
        {"", -32768, ":", FieldError::Kind::Overflow},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(failureOf([&] { GetWords(c.text, c.field, c.separator); }), c.expected)
            << c.text << " field " << c.field;
    }
}

TEST(Fields, GetWordCutsAtTheBackslash)
{
    const std::string reply = "n\\hostname\\My Server\\map\\dm4";
    EXPECT_EQ(GetWord(reply, 3), "My Server");
    EXPECT_EQ(GetWord(reply, 5), "dm4");
    EXPECT_EQ(failureOf([&] { GetWord(reply, 6); }), FieldError::Kind::OutOfRange);
    EXPECT_EQ(TotalWords(reply, "\\"), 5);
}

TEST(Fields, TotalWordsCountsSeparatorsPlusOneUpTo32767)
{
    EXPECT_EQ(TotalWords("", ":"), 0);
    EXPECT_EQ(TotalWords("", ""), 0);
    EXPECT_EQ(TotalWords("abc", ":"), 1);
    EXPECT_EQ(TotalWords("abc", ""), 1);
    EXPECT_EQ(TotalWords("a:b:", ":"), 3);
    EXPECT_EQ(TotalWords("a--b-c", "--"), 2);

    EXPECT_EQ(TotalWords(std::string(32766, '|'), "|"), 32767);
    EXPECT_EQ(failureOf([] { TotalWords(std::string(32767, '|'), "|"); }), FieldError::Kind::Overflow);
    EXPECT_EQ(failureOf([] { TotalWords(std::string(65507, '\\'), "\\"); }), FieldError::Kind::Overflow);
}

TEST(Fields, GetWordsReachesTheLastAddressableField)
{
    const std::string text = std::string(32766, '|') + "last";
    EXPECT_EQ(GetWords(text, 32767, "|"), "last");
    EXPECT_EQ(GetWords(text, 32766, "|"), "");
}

TEST(Fields, TheCountIsLinePiecesMinusTwo)
{
    EXPECT_EQ(TheCount("info\nplayer one\nplayer two\n"), 2);
    EXPECT_EQ(TheCount("info\n"), 0);
    EXPECT_EQ(TheCount("info"), -1);
    EXPECT_EQ(TheCount(""), -2);
    EXPECT_EQ(TheCount("\n"), 0);
    EXPECT_EQ(TheCount("a\\b\\c"), -1); // always cuts at the line feed

    EXPECT_EQ(TheCount(std::string(32768, '\n')), 32767);
    EXPECT_EQ(failureOf([] { TheCount(std::string(32769, '\n')); }), FieldError::Kind::Overflow);
    EXPECT_EQ(failureOf([] { TheCount(std::string(65507, '\n')); }), FieldError::Kind::Overflow);
}

} // namespace
} // namespace tarvex
