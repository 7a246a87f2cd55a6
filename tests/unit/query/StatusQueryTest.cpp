#include "query/StatusQuery.h"
#include "tests/fakes/FakeMainWindow.h"
#include "tests/fakes/FakeServices.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tarvex::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::string kQueryBytes("\xFF\xFF\xFF\xFF\x73\x74\x61\x74\x75\x73", 10);

class StatusQueryTest : public ::testing::Test
{
protected:
    StatusQueryTest() { socket.clock = &ticks; }
    void update(const std::string& entry)
    {
        window.text = entry;
        query.Command2_Click();
    }
    void tickAfter(std::uint32_t ms)
    {
        ticks.advance(ms);
        query.Timer1_Timer();
    }
    // A datagram arrives now and ends the wait.
    void arrive() { query.endWait(ticks.micros); }

    FakeMainWindow window;
    FakeMessageBox messages;
    FakeTickCounter ticks;
    FakeDatagramSocket socket;
    StatusQuery query{window, messages, ticks, socket};
};

TEST_F(StatusQueryTest, UpdateSendsTheTenByteQueryToHostAndPort)
{
    update("a.b:27500:x");

    ASSERT_EQ(socket.sent.size(), 1u);
    EXPECT_EQ(socket.sent[0].host, "a.b");
    EXPECT_EQ(socket.sent[0].port, 27500);
    EXPECT_EQ(socket.sent[0].bytes, kQueryBytes);
    EXPECT_THAT(window.items, ElementsAre("a.b:27500:x"));
    EXPECT_TRUE(query.sendingpacket());
    EXPECT_THAT(messages.shown, IsEmpty());
}

TEST_F(StatusQueryTest, AddressChecksRefuseBeforeAnythingIsSentOrAdded)
{
    struct Case
    {
        const char* entry;
        const char* message;
    };
    const Case cases[] = {
        {"", "You must select a server first from the drop-down box."},
        {"ab:27500", "Invalid Server Address"},
        {"a.b", "Invalid Server Address"},
    };
    for (const auto& c : cases) {
        messages.shown.clear();
        update(c.entry);
        EXPECT_THAT(messages.shown, ElementsAre(ShownMessage{c.message, "Tarvex Game Launcher"})) << c.entry;
    }
    EXPECT_THAT(socket.sent, IsEmpty());
    EXPECT_THAT(window.items, IsEmpty());
    EXPECT_FALSE(query.sendingpacket());
}

TEST_F(StatusQueryTest, UnusablePortOrHostIsNamedAndLeavesTheQueryIdle)
{
    struct Case
    {
        const char* entry;
        const char* message;
    };
    const Case cases[] = {
        {"ab:27.500", "The port \"27.500\" is not a whole number from 0 to 65535."},
        {"a.b:", "The port \"\" is not a whole number from 0 to 65535."},
        {"a.b:abc", "The port \"abc\" is not a whole number from 0 to 65535."},
        {"a.b:70000", "The port \"70000\" is not a whole number from 0 to 65535."},
        {":27500.", "The server address has no host name before the \":\"."},
    };
    for (const auto& c : cases) {
        messages.shown.clear();
        update(c.entry);
        EXPECT_THAT(messages.shown, ElementsAre(ShownMessage{c.message, "Tarvex Game Launcher"})) << c.entry;
        EXPECT_FALSE(query.sendingpacket()) << c.entry;
    }
    EXPECT_THAT(socket.sent, IsEmpty());
    // The entries were added, as any address that passed the checks is, and
    // a good query goes at once.
    EXPECT_EQ(window.items.size(), 5u);
    update("ok.example:27500 "); // blanks around the digits are allowed
    ASSERT_EQ(socket.sent.size(), 1u);
    EXPECT_EQ(socket.sent[0].port, 27500);
}

TEST_F(StatusQueryTest, EntriesAreAddedOnceAndComparedExactly)
{
    window.replaceServers({"a.b:27500"});
    update("a.b:27500");
    arrive();
    update("A.b:27500");
    arrive();
    update("a.b:27500");
    EXPECT_THAT(window.items, ElementsAre("a.b:27500", "A.b:27500"));
    EXPECT_EQ(socket.sent.size(), 3u);
}

TEST_F(StatusQueryTest, SecondQueryWhileWaitingIsRefusedButANewEntryIsStillAdded)
{
    update("a.b:27500");
    ticks.advance(300);
    update("a.b:27500");
    update("c.d:27501");

    EXPECT_EQ(socket.sent.size(), 1u);
    EXPECT_THAT(window.items, ElementsAre("a.b:27500", "c.d:27501"));
    const ShownMessage wait{"Please wait for a response from the current server before trying to ping another...",
                            "Tarvex Game Launcher"};
    EXPECT_THAT(messages.shown, ElementsAre(wait, wait));

    // The refused clicks kept the first send time.
    ticks.advance(400);
    arrive();
    EXPECT_EQ(query.ping(), 700u);
}

TEST_F(StatusQueryTest, TimesOutOnTheFirstTickAtOneSecond)
{
    update("a.b:27500");
    window.lines = {"Hostname: old"};
    tickAfter(999);
    EXPECT_THAT(window.lines, ElementsAre("Hostname: old"));
    EXPECT_TRUE(query.sendingpacket());

    tickAfter(1);
    EXPECT_THAT(window.lines, ElementsAre("No response from server..."));
    EXPECT_FALSE(query.sendingpacket());
    EXPECT_THAT(messages.shown, IsEmpty());

    tickAfter(5000); // nothing more happens
    EXPECT_THAT(window.lines, ElementsAre("No response from server..."));
    update("a.b:27500");
    EXPECT_EQ(socket.sent.size(), 2u);
}

TEST_F(StatusQueryTest, PingIsTheTimeSinceTheLastQueryAcrossWrapsAndLateReplies)
{
    struct Case
    {
        std::uint32_t sendAt;
        std::uint32_t replyAfter;
        bool timeOutFirst;
    };
    const Case cases[] = {
        {0, 0, false}, // a counter reading 0 is an ordinary time
        {1000, 250, false},
        {0xFFFFFF00u, 0x200, false}, // the counter wraps in between
        {0x7FFFFFF0u, 0x40, false},  // passes 2^31
        {5000, 2500, true},          // late: after the time-out line
    };
    for (const auto& c : cases) {
        ticks.setMs(c.sendAt);
        update("a.b:27500");
        if (c.timeOutFirst) {
            tickAfter(1000);
            EXPECT_THAT(window.lines, ElementsAre("No response from server..."));
            ticks.advance(c.replyAfter - 1000);
        } else {
            ticks.advance(c.replyAfter);
        }
        arrive();
        EXPECT_FALSE(query.sendingpacket());
        EXPECT_EQ(query.ping(), c.replyAfter) << c.sendAt;
        window.lines.clear();
        tickAfter(2000);
        EXPECT_THAT(window.lines, IsEmpty()) << "no time-out after a reply";
    }
}

TEST_F(StatusQueryTest, PingIsRoundedToTheNearestMillisecondOfTheArrival)
{
    struct Case
    {
        std::int64_t arrivalAfterMicros; // from the send; negative: read before it
        std::uint32_t ping;
    };
    const Case cases[] = {{180, 0}, {499, 0}, {500, 1}, {50'499, 50}, {250'500, 251}, {-3'000, 0}};
    for (const auto& c : cases) {
        update("a.b:27500");
        const std::uint64_t sentAt = ticks.micros;
        // Handed over later than it was read: the read time counts.
        ticks.advance(40);
        query.endWait(sentAt + static_cast<std::uint64_t>(c.arrivalAfterMicros));
        EXPECT_EQ(query.ping(), c.ping) << c.arrivalAfterMicros;
    }
}

TEST_F(StatusQueryTest, PingStartsWhenTheQueryLeavesAndTheTimeOutWhenItWasAskedFor)
{
    socket.holdSends = true; // each name lookup takes as long as the test says

    update("slow.example:27500");
    ticks.advance(300);
    socket.leave(0);
    ticks.advance(20);
    arrive();
    EXPECT_EQ(query.ping(), 20u) << "the lookup is no part of the round trip";

    // A notice ends the wait during the lookup; the reply that follows is
    // still timed from the moment the query left.
    update("slow.example:27500");
    ticks.advance(100);
    arrive();
    ticks.advance(200);
    socket.leave(1);
    ticks.advance(7);
    arrive();
    EXPECT_EQ(query.ping(), 7u);

    update("slow.example:27500");
    ticks.advance(950);
    socket.leave(2);
    tickAfter(49);
    EXPECT_TRUE(query.sendingpacket());
    tickAfter(1);
    EXPECT_THAT(window.lines, ElementsAre("No response from server..."));
}

TEST_F(StatusQueryTest, DatagramBeforeAnyQueryShowsPingZero)
{
    ticks.setMs(123456);
    arrive();
    EXPECT_EQ(query.ping(), 0u);
}

TEST_F(StatusQueryTest, FailedSendShowsOneLineOnlyForTheOutstandingQuery)
{
    update("nosuch.invalid:27500");
    ticks.advance(30);
    socket.failSend(0, "the host name nosuch.invalid could not be resolved");
    EXPECT_THAT(window.lines,
                ElementsAre("Could not send the query: the host name nosuch.invalid could not be resolved"));
    EXPECT_FALSE(query.sendingpacket());
    EXPECT_THAT(messages.shown, IsEmpty());
    tickAfter(2000);
    EXPECT_THAT(window.lines,
                ElementsAre("Could not send the query: the host name nosuch.invalid could not be resolved"));

    // A stale failure of the first query must not end the second one, nor
    // a failure reported after a datagram already ended the wait.
    update("a.b:27500");
    socket.failSend(0, "late");
    EXPECT_TRUE(query.sendingpacket());
    window.lines.clear();
    arrive();
    socket.failSend(1, "after the reply");
    EXPECT_THAT(window.lines, IsEmpty());
}

} // namespace
} // namespace tarvex::test
