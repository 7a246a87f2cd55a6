#include "query/ReplyParts.h"

#include "platform/DatagramSocket.h"

#include <gtest/gtest.h>

namespace tarvex {
namespace {

const std::string kInfo = "\xFF\xFF\xFF\xFFn\\hostname\\Big\\map\\dm4\n1 0 0 9 \"O'Brien\" \"b\" 0 0\n";
const std::string kSecond = "\xFF\xFF\xFF\xFFn2 0 0 9 \"b\" \"b\" 0 0\n3 0 0 9 \"c\" \"b\" 0 0\n";
const std::string kThird = "\xFF\xFF\xFF\xFFn4 0 0 9 \"d\" \"b\" 0 0\n";
constexpr std::uint16_t kPort = 27500;

struct Part
{
    std::string bytes;
    std::uint64_t atMs; // arrival after the first part
    std::uint64_t query = 1;
    std::uint16_t port = kPort;
    std::string ip = "10.0.0.5";
};

TEST(ReplyParts, PutsThePartsOfOneReplyTogetherAndNothingElse)
{
    const std::string body2 = kSecond.substr(5);
    const std::string body3 = kThird.substr(5);
    struct Case
    {
        const char* name;
        std::vector<Part> parts;
        std::string text;     // what the last part gives
        std::uint32_t pingOf; // the index of the part whose ping is shown
    };
    const Case cases[] = {
        {"one datagram is read as it stands", {{kInfo, 0}}, kInfo, 0},
        {"three parts in order", {{kInfo, 0}, {kSecond, 1}, {kThird, 2}}, kInfo + body2 + body3, 0},
        {"out of order: information last", {{kThird, 0}, {kSecond, 10}, {kInfo, 20}}, kInfo + body3 + body2, 0},
        {"a duplicated player part counts once", {{kInfo, 0}, {kSecond, 1}, {kSecond, 2}}, kInfo + body2, 0},
        {"a second whole reply replaces the first", {{kInfo, 0}, {kSecond, 1}, {kInfo, 2}}, kInfo, 2},
        {"past the window: a reply of its own", {{kInfo, 0}, {kSecond, 51}}, kSecond, 1},
        {"another sender's part", {{kInfo, 0}, {kSecond, 1, 1, kPort, "10.0.0.6"}}, kSecond, 1},
        {"not the port the query went to", {{kInfo, 0}, {kSecond, 1, 1, kPort + 1}}, kSecond, 1},
        {"each query starts afresh", {{kInfo, 0}, {kSecond, 1, 2}}, kSecond, 1},
        {"before any query", {{kInfo, 0, 0}, {kSecond, 1, 0}}, kSecond, 1},
        {"not a status reply", {{kInfo, 0}, {"n4 0 0 9\n", 1}}, "n4 0 0 9\n", 1},
    };
    for (const auto& c : cases) {
        ReplyParts parts;
        ReplyParts::Reply reply;
        for (std::size_t i = 0; i < c.parts.size(); ++i) {
            const auto& part = c.parts[i];
            const Datagram datagram{part.bytes, part.ip, part.port, 5'000'000 + part.atMs * 1000};
            reply = parts.add(datagram, static_cast<std::uint32_t>(100 + i), part.query, kPort);
        }
        EXPECT_EQ(reply.text, c.text) << c.name;
        EXPECT_EQ(reply.ping, 100 + c.pingOf) << c.name;
    }
}

TEST(ReplyParts, ASenderCannotGrowTheReplyForEver)
{
    ReplyParts parts;
    std::size_t longest = 0;
    for (int i = 0; i < 1000; ++i) {
        const std::string bytes = "\xFF\xFF\xFF\xFFn" + std::to_string(i) + " 0 0 9 \"x\" \"b\" 0 0\n";
        const auto reply = parts.add(Datagram{bytes, "10.0.0.5", kPort, 1000u * static_cast<unsigned>(i)}, 1, 1, kPort);
        longest = std::max(longest, reply.text.size());
    }
    EXPECT_LT(longest, ReplyParts::kMaxParts * 32);
}

} // namespace
} // namespace tarvex
