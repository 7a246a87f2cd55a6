#include "app/Form1.h"
#include "tests/fakes/FakePlatform.h"

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
    StatusQueryTest()
    {
        form.Form_Load();
        fake.socket.sent.clear(); // the update query
        fake.socket.failures.clear();
    }
    FakeMainWindow& window() { return fake.windows.main(); }
    void update(const std::string& entry)
    {
        window().text = entry;
        form.Command2_Click();
    }
    void tickAfter(std::uint32_t ms)
    {
        fake.ticks.advance(ms);
        fake.timer.fire();
    }
    std::vector<std::string> titles() const
    {
        std::vector<std::string> result;
        for (const auto& shown : fake.messages.shown) {
            result.push_back(shown.title);
        }
        return result;
    }

    FakePlatform fake;
    Form1 form{fake.platform, UpdateHost{"updates.example", 17500}};
};

TEST_F(StatusQueryTest, UpdateSendsTheTenByteQueryToHostAndPort)
{
    update("a.b:27500:x");

    ASSERT_EQ(fake.socket.sent.size(), 1u);
    EXPECT_EQ(fake.socket.sent[0].host, "a.b");
    EXPECT_EQ(fake.socket.sent[0].port, 27500);
    EXPECT_EQ(fake.socket.sent[0].bytes, kQueryBytes);
    EXPECT_THAT(window().items, ElementsAre("a.b:27500:x"));
    EXPECT_TRUE(form.query().sendingpacket());
    EXPECT_THAT(fake.messages.shown, IsEmpty());
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
        fake.messages.shown.clear();
        update(c.entry);
        EXPECT_THAT(fake.messages.shown, ElementsAre(ShownMessage{c.message, "Tarvex Game Launcher"})) << c.entry;
    }
    EXPECT_THAT(fake.socket.sent, IsEmpty());
    EXPECT_THAT(window().items, IsEmpty());
    EXPECT_FALSE(form.query().sendingpacket());
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
        fake.messages.shown.clear();
        update(c.entry);
        EXPECT_THAT(fake.messages.shown, ElementsAre(ShownMessage{c.message, "Tarvex Game Launcher"})) << c.entry;
        EXPECT_FALSE(form.query().sendingpacket()) << c.entry;
    }
    EXPECT_THAT(fake.socket.sent, IsEmpty());
    // The entries were added, as any address that passed the checks is, and
    // a good query goes at once.
    EXPECT_EQ(window().items.size(), 5u);
    update("ok.example:27500 "); // blanks around the digits are allowed
    ASSERT_EQ(fake.socket.sent.size(), 1u);
    EXPECT_EQ(fake.socket.sent[0].port, 27500);
}

TEST_F(StatusQueryTest, EntriesAreAddedOnceAndComparedExactly)
{
    form.replaceServers({"a.b:27500"});
    update("a.b:27500");
    fake.socket.deliver("1.2.3.4", 27500, "reply");
    update("A.b:27500");
    fake.socket.deliver("1.2.3.4", 27500, "reply");
    update("a.b:27500");
    EXPECT_THAT(window().items, ElementsAre("a.b:27500", "A.b:27500"));
    EXPECT_EQ(fake.socket.sent.size(), 3u);
}

TEST_F(StatusQueryTest, SecondQueryWhileWaitingIsRefusedButANewEntryIsStillAdded)
{
    update("a.b:27500");
    fake.ticks.advance(300);
    update("a.b:27500");
    update("c.d:27501");

    EXPECT_EQ(fake.socket.sent.size(), 1u);
    EXPECT_THAT(window().items, ElementsAre("a.b:27500", "c.d:27501"));
    const ShownMessage wait{"Please wait for a response from the current server before trying to ping another...",
                            "Tarvex Game Launcher"};
    EXPECT_THAT(fake.messages.shown, ElementsAre(wait, wait));

    // The refused clicks kept the first send time.
    fake.ticks.advance(400);
    fake.socket.deliver("1.2.3.4", 27500, "\xFF\xFF\xFF\xFFn\\hostname\\A\n");
    EXPECT_EQ(window().lines.back(), "Ping: 700");
}

TEST_F(StatusQueryTest, TimesOutOnTheFirstTickAtOneSecond)
{
    window().lines = {"Hostname: old"};
    update("a.b:27500");
    tickAfter(999);
    EXPECT_THAT(window().lines, ElementsAre("Hostname: old"));
    EXPECT_TRUE(form.query().sendingpacket());

    tickAfter(1);
    EXPECT_THAT(window().lines, ElementsAre("No response from server..."));
    EXPECT_FALSE(form.query().sendingpacket());
    EXPECT_THAT(fake.messages.shown, IsEmpty());

    tickAfter(5000); // nothing more happens
    EXPECT_THAT(window().lines, ElementsAre("No response from server..."));
    update("a.b:27500");
    EXPECT_EQ(fake.socket.sent.size(), 2u);
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
        {0, 0, false},          // a counter reading 0 is an ordinary time
        {1000, 250, false},
        {0xFFFFFF00u, 0x200, false}, // the counter wraps in between
        {0x7FFFFFF0u, 0x40, false},  // passes 2^31
        {5000, 2500, true},          // late: after the time-out line
    };
    for (const auto& c : cases) {
        fake.ticks.setMs(c.sendAt);
        update("a.b:27500");
        if (c.timeOutFirst) {
            tickAfter(1000);
            EXPECT_THAT(window().lines, ElementsAre("No response from server..."));
            fake.ticks.advance(c.replyAfter - 1000);
        } else {
            fake.ticks.advance(c.replyAfter);
        }
        fake.socket.deliver("1.2.3.4", 27500, "\xFF\xFF\xFF\xFFn\\hostname\\A\n");
        EXPECT_FALSE(form.query().sendingpacket());
        EXPECT_EQ(window().lines.back(), "Ping: " + std::to_string(c.replyAfter)) << c.sendAt;
        tickAfter(2000);
        EXPECT_NE(window().lines.back(), "No response from server...") << "no time-out after a reply";
    }
}

TEST_F(StatusQueryTest, PingIsRoundedToTheNearestMillisecondOfTheArrival)
{
    struct Case
    {
        std::int64_t arrivalAfterMicros; // from the send; negative: read before it
        const char* ping;
    };
    const Case cases[] = {{180, "Ping: 0"}, {499, "Ping: 0"}, {500, "Ping: 1"}, {50'499, "Ping: 50"},
                          {250'500, "Ping: 251"}, {-3'000, "Ping: 0"}};
    for (const auto& c : cases) {
        update("a.b:27500");
        const std::uint64_t sentAt = fake.ticks.micros;
        // Handed over later than it was read: the read time counts.
        fake.ticks.advance(40);
        fake.socket.receiver(Datagram{"\xFF\xFF\xFF\xFFn\\hostname\\A\n", "1.2.3.4", 27500,
                                      sentAt + static_cast<std::uint64_t>(c.arrivalAfterMicros)});
        EXPECT_EQ(window().lines.back(), c.ping) << c.arrivalAfterMicros;
    }
}

TEST_F(StatusQueryTest, DatagramBeforeAnyQueryShowsPingZero)
{
    fake.ticks.setMs(123456);
    fake.socket.deliver("1.2.3.4", 17500, "\xFF\xFF\xFF\xFFn\\hostname\\A\n");
    EXPECT_EQ(window().lines.back(), "Ping: 0");
}

TEST_F(StatusQueryTest, FailedSendShowsOneLineOnlyForTheOutstandingQuery)
{
    update("nosuch.invalid:27500");
    fake.ticks.advance(30);
    fake.socket.failSend(0, "the host name nosuch.invalid could not be resolved");
    EXPECT_THAT(window().lines, ElementsAre("Could not send the query: the host name nosuch.invalid could not be resolved"));
    EXPECT_FALSE(form.query().sendingpacket());
    EXPECT_THAT(fake.messages.shown, IsEmpty());
    tickAfter(2000);
    EXPECT_THAT(window().lines, ElementsAre("Could not send the query: the host name nosuch.invalid could not be resolved"));

    // A stale failure of the first query must not end the second one, nor
    // a failure reported after a datagram already ended the wait.
    update("a.b:27500");
    fake.socket.failSend(0, "late");
    EXPECT_TRUE(form.query().sendingpacket());
    fake.socket.deliver("1.2.3.4", 27500, "\xFF\xFF\xFF\xFFn\\hostname\\B\n");
    fake.socket.failSend(1, "after the reply");
    EXPECT_EQ(window().lines.front(), "Hostname: B");
}

} // namespace
} // namespace tarvex::test
