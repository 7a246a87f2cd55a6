#include "text/Fields.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvex {
namespace {

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
        {"a.b:27500", 1, ":", "a.b"}, {"a.b:27500", 2, ":", "27500"},
        {"a::b", 2, ":", ""},         {"a::b", 3, ":", "b"},
        {"a:b:", 3, ":", ""},         {":a", 1, ":", ""},
        {"abc", 1, ":", "abc"},       {"a--b-c", 2, "--", "b-c"},
        {"a---b", 2, "--", "-b"}, // matches do not overlap
        {"abc", 1, "", "abc"},        {"aXbxc", 1, "x", "aXb"},
        {"aXbxc", 2, "x", "c"},       {"msgbox  hi", 1, " ", "msgbox"},
        {" lead", 1, " ", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetWords(c.text, c.field, c.separator), c.expected)
            << c.text << " field " << c.field << " at '" << c.separator << "'";
    }
}

TEST(Fields, GetWordsGivesNoFieldWhereThereIsNone)
{
    struct Case
    {
        const char* text;
        std::int16_t field;
        const char* separator;
    };
    const Case cases[] = {
        {"a.b:27500", 3, ":"}, {"a.b:27500", 0, ":"}, {"a.b:27500", -1, ":"}, {"", 1, ":"},
        {"", 1, ""},           {"abc", 2, ""},        {"a:b", 32767, ":"},    {"a:b", -32768, ":"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetWords(c.text, c.field, c.separator), std::nullopt) << c.text << " field " << c.field;
    }
}

TEST(Fields, SplitOnceGivesEveryFieldAndNonePastTheEnds)
{
    struct Case
    {
        const char* text;
        const char* separator;
        std::vector<std::string_view> fields;
    };
    const Case cases[] = {
        {"", ":", {}},
        {"", "", {}},
        {"abc", ":", {"abc"}},
        {"abc", "", {"abc"}},
        {"a:b:", ":", {"a", "b", ""}},
        {"a---b", "--", {"a", "-b"}},
        {"n\\hostname\\My Server\\map\\dm4", "\\", {"n", "hostname", "My Server", "map", "dm4"}},
    };
    for (const auto& c : cases) {
        const Fields fields(c.text, c.separator);
        ASSERT_EQ(fields.TotalWords(), c.fields.size()) << c.text;
        for (std::size_t i = 0; i < c.fields.size(); ++i) {
            EXPECT_EQ(fields.GetWord(i + 1), c.fields[i]) << c.text << " field " << i + 1;
        }
        EXPECT_EQ(fields.GetWord(0), std::nullopt) << c.text;
        EXPECT_EQ(fields.GetWord(c.fields.size() + 1), std::nullopt) << c.text;
    }
    EXPECT_EQ(Fields(std::string(65507, '\\'), "\\").TotalWords(), 65508u);
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
    EXPECT_EQ(TheCount("a\\b\\c"), -1);                   // always cuts at the line feed
    EXPECT_EQ(TheCount(std::string(65507, '\n')), 65506); // past 16 bits
}

} // namespace
} // namespace tarvex
