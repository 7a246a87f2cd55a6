#include "query/StatusReply.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

namespace tarvex {
namespace {

using ::testing::ElementsAre;

const std::string kPrefix = "\xFF\xFF\xFF\xFFn";

StatusLines parse(const std::string& reply, const ReplySource& source = {"10.0.0.7", 27500, 31})
{
    return dostuff(reply, source);
}

TEST(StatusReply, RealReplyGivesTheSixLines)
{
    const auto lines = parse(kPrefix + "\\hostname\\Base One\\map\\dm4\n" + "3 12 45 50 \"Ranger\" \"\" 4 4\n"
                             + "5 0 12 80 \"Visor\" \"\" 13 13\n");
    EXPECT_THAT(lines,
                ElementsAre("Hostname: Base One", "Ip: 10.0.0.7", "Port: 27500", "Players: 2", "Map: dm4", "Ping: 31"));
}

TEST(StatusReply, ReadsOnlyWhatIsThere)
{
    struct Case
    {
        std::string reply;
        const char* host;
        const char* players;
        const char* map;
    };
    const Case cases[] = {
        {kPrefix + "\\hostname\\Base One\\map\\dm4\n", "Hostname: Base One", "Players: 0", "Map: dm4"},
        {kPrefix + "\\maxclients\\8\n", "Hostname: ", "Players: 0", "Map: "},
        {kPrefix + "\\HOSTNAME\\X\\Map\\dm2\n", "Hostname: ", "Players: 0", "Map: "},
        {kPrefix + "\\map\\dm4\\mode\\map\\fraglimit\\20\n", "Hostname: ", "Players: 0", "Map: fraglimit"},
        {kPrefix + "\\map\\dm4\\map\\e1m1\n", "Hostname: ", "Players: 0", "Map: e1m1"},
        // A key that ends the reply has nothing after it: its value is empty,
        // even over an earlier match.
        {kPrefix + "\\map\\dm4\\hostname\\A\\hostname", "Hostname: ", "Players: -1", "Map: dm4"},
        {kPrefix + "\\hostname\\A\\map\\dm4\\map", "Hostname: A", "Players: -1", "Map: "},
        // The trailing line feed becomes an empty last field, so the key
        // before it takes that empty value.
        {kPrefix + "\\hostname\\A\\map\n", "Hostname: A", "Players: 0", "Map: "},
        // Player lines are fields too and count as keys when they match.
        {kPrefix + "\\hostname\\A\nmap\ndm6\n", "Hostname: A", "Players: 2", "Map: dm6"},
        {"no line feed at all", "Hostname: ", "Players: -1", "Map: "},
        {"hostname", "Hostname: ", "Players: -1", "Map: "},
        {"\\", "Hostname: ", "Players: -1", "Map: "},
    };
    for (const auto& c : cases) {
        const auto lines = parse(c.reply);
        EXPECT_EQ(lines[0], c.host) << c.reply;
        EXPECT_EQ(lines[3], c.players) << c.reply;
        EXPECT_EQ(lines[4], c.map) << c.reply;
    }
}

TEST(StatusReply, HostNameIsCutAfter42Characters)
{
    const std::string name42(42, 'h');
    EXPECT_EQ(parse(kPrefix + "\\hostname\\" + name42 + "\n")[0], "Hostname: " + name42);
    const auto cut = parse(kPrefix + "\\hostname\\" + name42 + "XYZ\n")[0];
    EXPECT_EQ(cut, "Hostname: " + name42 + "...");
    EXPECT_EQ(cut.size(), std::string("Hostname: ").size() + 45);
}

TEST(StatusReply, CountsBeyondSixteenBitsStaySound)
{
    // 40000 player lines and 80000 fields: more than a 16-bit count holds.
    std::string reply = kPrefix + "\\hostname\\Crowded\\map\\dm3\n";
    for (int i = 0; i < 40000; ++i) {
        reply += "\\\n";
    }
    const auto lines = parse(reply);
    EXPECT_EQ(lines[0], "Hostname: Crowded");
    EXPECT_EQ(lines[3], "Players: 40000");
    EXPECT_EQ(lines[4], "Map: dm3");

    const std::string lastMapFarAway = std::string(65000, '\\') + "map\\far";
    EXPECT_EQ(parse(lastMapFarAway)[4], "Map: far");
}

TEST(StatusReply, BytesPassThroughUnchanged)
{
    const std::string name = std::string("\x01\x80\xFF", 3) + "caf\xE9" + std::string(1, '\0') + "end";
    const auto lines = parse(kPrefix + "\\hostname\\" + name + "\\map\\x\n");
    EXPECT_EQ(lines[0], "Hostname: " + name);
}

} // namespace
} // namespace tarvex
