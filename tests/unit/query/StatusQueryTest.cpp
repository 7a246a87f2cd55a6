#include "query/StatusQuery.h"
#include "tests/fakes/FakeServices.h"
#include "tests/fakes/FakeWindowSystem.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tarvex::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::string kQueryBytes("\xFF\xFF\xFF\xFF\x73\x74\x61\x74\x75\x73", 10);
const std::string kReply = "\xFF\xFF\xFF\xFFn\\hostname\\Base One\\map\\dm4\nP1\nP2\n";
const ShownMessage kWait{"Please wait for a response from the current server before trying to ping another...",
                         "Tarvex Game Launcher"};

class StatusQueryTest : public ::testing::Test
{
protected:
    StatusQueryTest()
    {
        socket.clock = &clock;
        socket.setReceiver([this](const Datagram& datagram) { query.arrived(datagram, DatagramKind::StatusReply); });
    }
    void update(const std::string& entry)
    {
        main.view.text = entry;
        query.Command2_Click();
    }
    void tickAfter(std::uint32_t ms)
    {
        clock.advance(ms);
        query.Timer1_Timer();
    }
    // The server last queried answers now.
    void reply(const std::string& bytes = kReply) { socket.deliver("192.0.2.7", socket.sent.back().port, bytes); }
    const std::vector<std::string>& lines() const { return main.view.lines; }
    std::string ping() const { return main.view.showsStatus() ? lines()[5] : "no status lines"; }

    ShownMainWindow main;
    FakeMessageBox messages;
    FakeTickCounter clock;
    FakeDatagramSocket socket;
    StatusQuery query{main.state, messages, clock, socket};
};

TEST_F(StatusQueryTest, UpdateSendsTheTenByteQueryToHostAndPort)
{
    update("a.b:27500:x");

    ASSERT_EQ(socket.sent.size(), 1u);
    EXPECT_EQ(socket.sent[0].host, "a.b");
    EXPECT_EQ(socket.sent[0].port, 27500);
    EXPECT_EQ(socket.sent[0].bytes, kQueryBytes);
    EXPECT_THAT(main.view.items, ElementsAre("a.b:27500:x"));
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
    EXPECT_THAT(main.view.items, IsEmpty());
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
    }
    EXPECT_THAT(socket.sent, IsEmpty());
    // The entries were added, as any address that passed the checks is, and
    // a good query goes at once.
    EXPECT_EQ(main.view.items.size(), 5u);
    update("ok.example:27500 "); // blanks around the digits are allowed
    ASSERT_EQ(socket.sent.size(), 1u);
    EXPECT_EQ(socket.sent[0].port, 27500);
}

TEST_F(StatusQueryTest, EntriesAreAddedOnceAndComparedExactly)
{
    main.state.replaceServers({"a.b:27500"});
    update("a.b:27500");
    reply();
    update("A.b:27500");
    reply();
    update("a.b:27500");
    EXPECT_THAT(main.view.items, ElementsAre("a.b:27500", "A.b:27500"));
    EXPECT_EQ(socket.sent.size(), 3u);
}

TEST_F(StatusQueryTest, SecondQueryWhileWaitingIsRefusedButANewEntryIsStillAdded)
{
    update("a.b:27500");
    clock.advance(300);
    update("a.b:27500");
    update("c.d:27501");

    EXPECT_EQ(socket.sent.size(), 1u);
    EXPECT_THAT(main.view.items, ElementsAre("a.b:27500", "c.d:27501"));
    EXPECT_THAT(messages.shown, ElementsAre(kWait, kWait));

    // The refused clicks kept the first send time.
    clock.advance(400);
    reply();
    EXPECT_EQ(ping(), "Ping: 700");
}

TEST_F(StatusQueryTest, ReplyShowsSixLinesThenTheNextQueryGoesAtOnce)
{
    update("a.b:27500");
    clock.advance(31);
    reply();
    EXPECT_THAT(
        lines(),
        ElementsAre("Hostname: Base One", "Ip: 192.0.2.7", "Port: 27500", "Players: 2", "Map: dm4", "Ping: 31"));
    tickAfter(2000);
    EXPECT_TRUE(main.view.showsStatus()) << "no time-out after a reply";
    update("a.b:27500");
    EXPECT_EQ(socket.sent.size(), 2u);
    EXPECT_THAT(messages.shown, IsEmpty());
}

// A long reply comes in two datagrams; a notice in between ends the wait
// without breaking the reply in two.
TEST_F(StatusQueryTest, ReplyInPartsIsShownWholeWithThePingOfTheFirstPart)
{
    update("a.b:27500");
    clock.advance(30);
    reply("\xFF\xFF\xFF\xFFn\\hostname\\Full\\map\\dm4\n1 \"a\"\n2 \"b\"\n\0");
    query.arrived(Datagram{"msgbox between the parts", "192.0.2.9", 17500, clock.micros}, DatagramKind::Other);
    clock.advance(1);
    reply("\xFF\xFF\xFF\xFFn3 \"c\"\n4 \"O'Brien\"\n\0");

    EXPECT_THAT(lines(),
                ElementsAre("Hostname: Full", "Ip: 192.0.2.7", "Port: 27500", "Players: 4", "Map: dm4", "Ping: 30"));
}

TEST_F(StatusQueryTest, TimesOutOnTheFirstTickAtOneSecond)
{
    update("a.b:27500");
    main.view.lines = {"Hostname: old"};
    tickAfter(999);
    EXPECT_THAT(lines(), ElementsAre("Hostname: old"));

    tickAfter(1);
    EXPECT_THAT(lines(), ElementsAre("No response from server..."));
    EXPECT_THAT(messages.shown, IsEmpty());

    tickAfter(5000); // nothing more happens
    EXPECT_THAT(lines(), ElementsAre("No response from server..."));
    update("a.b:27500");
    EXPECT_EQ(socket.sent.size(), 2u);
    EXPECT_THAT(messages.shown, IsEmpty());
}

TEST_F(StatusQueryTest, LateReplyShowsTheTimeSinceItsQueryLeft)
{
    update("a.b:27500");
    tickAfter(1000);
    EXPECT_THAT(lines(), ElementsAre("No response from server..."));
    clock.advance(1500);
    reply();
    EXPECT_EQ(ping(), "Ping: 2500");
}

TEST_F(StatusQueryTest, PingIsRoundedToTheNearestMillisecondOfTheArrival)
{
    struct Case
    {
        std::int64_t arrivalAfterMicros; // from the send; negative: read before it
        const char* ping;
    };
    const Case cases[] = {{180, "Ping: 0"},     {499, "Ping: 0"},       {500, "Ping: 1"},
                          {50'499, "Ping: 50"}, {250'500, "Ping: 251"}, {-3'000, "Ping: 0"}};
    for (const auto& c : cases) {
        update("a.b:27500");
        const std::uint64_t sentAt = clock.micros;
        // Handed over later than it arrived: the arrival counts.
        clock.advance(40);
        query.arrived(Datagram{kReply, "192.0.2.7", 27500, sentAt + static_cast<std::uint64_t>(c.arrivalAfterMicros)},
                      DatagramKind::StatusReply);
        EXPECT_EQ(ping(), c.ping) << c.arrivalAfterMicros;
    }
}

TEST_F(StatusQueryTest, PingStartsWhenTheQueryLeavesAndTheTimeOutWhenItWasAskedFor)
{
    socket.holdSends = true; // each name lookup takes as long as the test says

    update("slow.example:27500");
    clock.advance(300);
    socket.leave(0);
    clock.advance(20);
    reply();
    EXPECT_EQ(ping(), "Ping: 20") << "the lookup is no part of the round trip";

    // A notice ends the wait during the lookup; the reply that follows is
    // still timed from the moment the query left.
    update("slow.example:27500");
    clock.advance(100);
    query.arrived(Datagram{"website", "192.0.2.9", 17500, clock.micros}, DatagramKind::Other);
    clock.advance(200);
    socket.leave(1);
    clock.advance(7);
    reply();
    EXPECT_EQ(ping(), "Ping: 7");

    update("slow.example:27500");
    clock.advance(950);
    socket.leave(2);
    tickAfter(49);
    EXPECT_TRUE(main.view.showsStatus());
    tickAfter(1);
    EXPECT_THAT(lines(), ElementsAre("No response from server..."));
}

TEST_F(StatusQueryTest, DatagramBeforeAnyQueryShowsPingZero)
{
    clock.setMs(123456);
    socket.deliver("10.1.2.3", 27501, kReply);
    EXPECT_EQ(ping(), "Ping: 0");
}

TEST_F(StatusQueryTest, FailedSendShowsOneLineOnlyForTheOutstandingQuery)
{
    const std::string failed = "Could not send the query: the host name nosuch.invalid could not be resolved";
    update("nosuch.invalid:27500");
    clock.advance(30);
    socket.failSend(0, "the host name nosuch.invalid could not be resolved");
    EXPECT_THAT(lines(), ElementsAre(failed));
    EXPECT_THAT(messages.shown, IsEmpty());
    tickAfter(2000);
    EXPECT_THAT(lines(), ElementsAre(failed));

    // A stale failure of the first query must not end the second one, nor
    // a failure reported after a datagram already ended the wait.
    update("a.b:27500");
    socket.failSend(0, "late");
    update("a.b:27500");
    EXPECT_THAT(messages.shown, ElementsAre(kWait));
    reply();
    socket.failSend(1, "after the reply");
    EXPECT_TRUE(main.view.showsStatus());
}

TEST_F(StatusQueryTest, NothingIsSentOnceTheMainWindowHasClosed)
{
    main.state.detach();
    query.QueryServer("a.b", "27500");
    EXPECT_THAT(socket.sent, IsEmpty());
    EXPECT_THAT(messages.shown, IsEmpty());
}

} // namespace
} // namespace tarvex::test
