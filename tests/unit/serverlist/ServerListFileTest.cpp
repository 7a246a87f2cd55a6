#include "serverlist/ServerListFile.h"

#include <gtest/gtest.h>

namespace tarvex {
namespace {

using Entries = std::vector<std::string>;

struct LoadCase
{
    const char* name;
    std::string bytes;
    Entries entries;
    std::string saved;
};

TEST(ServerListFile, LoadsEveryLineAndSavesNonEmptyOnesWithCrLf)
{
    const LoadCase cases[] = {
        {"blank line in the middle", "a.b:1\r\n\r\nc.d:2", {"a.b:1", "", "c.d:2"}, "a.b:1\r\nc.d:2\r\n"},
        {"no last terminator", "a.b:1\r\nc.d:2", {"a.b:1", "c.d:2"}, "a.b:1\r\nc.d:2\r\n"},
        {"empty file", "", {}, ""},
        {"empty last line", "a.b:1\r\n\r\n", {"a.b:1", ""}, "a.b:1\r\n"},
        {"duplicates stay", "a.b:1\r\na.b:1\r\n", {"a.b:1", "a.b:1"}, "a.b:1\r\na.b:1\r\n"},
        {"lone CRs", "a.b:1\rc.d:2\r", {"a.b:1", "c.d:2"}, "a.b:1\r\nc.d:2\r\n"},
        {"lone LFs", "a.b:1\nc.d:2\n", {"a.b:1", "c.d:2"}, "a.b:1\r\nc.d:2\r\n"},
        {"LF CR is two line ends", "a\n\rb", {"a", "", "b"}, "a\r\nb\r\n"},
        {"only line ends", "\r\n\r\n", {"", ""}, ""},
        {"blanks are kept", " a.b:1 \r\n", {" a.b:1 "}, " a.b:1 \r\n"},
        {"high bytes pass through", "\xe9t\xe9.fr:1\xff\r\n", {"\xe9t\xe9.fr:1\xff"}, "\xe9t\xe9.fr:1\xff\r\n"},
    };
    for (const auto& c : cases) {
        const auto entries = serverlistfile::parse(c.bytes);
        EXPECT_EQ(entries, c.entries) << c.name;
        EXPECT_EQ(serverlistfile::serialize(entries), c.saved) << c.name;
    }
}

TEST(ServerListFile, HasNoLimitOnTheNumberOfEntries)
{
    std::string bytes;
    Entries expected;
    for (int i = 0; i < 40000; ++i) {
        expected.push_back("host" + std::to_string(i) + ".net:27500");
        bytes += expected.back() + "\r\n";
    }
    const auto entries = serverlistfile::parse(bytes);
    ASSERT_EQ(entries.size(), 40000u);
    EXPECT_EQ(entries, expected);
    EXPECT_EQ(serverlistfile::serialize(entries), bytes);
}

TEST(ServerListFile, NulBytesAreOrdinaryCharacters)
{
    const std::string bytes("a\0b:1\r\n", 7);
    const auto entries = serverlistfile::parse(bytes);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0], std::string("a\0b:1", 5));
}

} // namespace
} // namespace tarvex
