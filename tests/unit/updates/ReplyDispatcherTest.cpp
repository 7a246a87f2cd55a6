#include "updates/ReplyDispatcher.h"
#include "query/StatusQuery.h"
#include "tests/fakes/FakeServices.h"
#include "tests/fakes/FakeWindowSystem.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tarvex::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ReplyDispatcherTest : public ::testing::Test
{
protected:
    ReplyDispatcherTest()
    {
        socket.clock = &ticks;
        socket.setReceiver([this](const Datagram& datagram) { dispatcher.Winsock1_DataArrival(datagram); });
    }
    void arrive(const std::string& bytes) { socket.deliver("192.0.2.5", 17500, bytes); }
    bool wentToStatusReply() { return main.view.showsStatus() && lines()[1] == "Ip: 192.0.2.5"; }
    std::vector<std::string>& lines() { return main.view.lines; }

    ShownMainWindow main;
    FakeMessageBox messages;
    FakeTickCounter ticks;
    FakeDatagramSocket socket;
    FakeUrlOpener urls;
    StatusQuery query{main.state, messages, ticks, socket};
    ReplyDispatcher dispatcher{query, messages, ticks, socket, urls};
};

TEST_F(ReplyDispatcherTest, KeywordDecidesWhatADatagramIs)
{
    struct Case
    {
        std::string bytes;
        const char* kind; // "box", "web" or "reply"
    };
    const Case cases[] = {
        {"msgbox hello", "box"},
        {"MSGBOX hello", "box"},
        {"MsgBox hello", "box"},
        {"msgbox", "box"},
        {"website http://example.org/", "web"},
        {"WebSite http://example.org/", "web"},
        {"msgboxes hello", "reply"},
        {"websites http://example.org/", "reply"},
        {" msgbox hello", "reply"},
        {"msgbox\nhello", "reply"},
        {"msgbox\thello", "reply"},
        {"\xFF\xFF\xFF\xFFmsgbox hello", "reply"},
        {"\xFF\xFF\xFF\xFFn\\hostname\\A\n", "reply"},
    };
    for (const auto& c : cases) {
        messages.shown.clear();
        urls.opened.clear();
        lines().clear();
        ticks.advance(10000);
        arrive(c.bytes);
        const std::string kind = c.kind;
        EXPECT_EQ(messages.shown.size(), kind == "box" ? 1u : 0u) << c.bytes;
        EXPECT_EQ(urls.opened.size(), kind == "web" ? 1u : 0u) << c.bytes;
        EXPECT_EQ(wentToStatusReply(), kind == "reply") << c.bytes;
    }
}

TEST_F(ReplyDispatcherTest, MessageIsShownUnchangedUnderUpdates)
{
    arrive("msgbox  New version!\nGet it now.\n");
    arrive("msgbox");
    EXPECT_THAT(messages.shown,
                ElementsAre(ShownMessage{"  New version!\nGet it now.\n", "Updates"}, ShownMessage{"", "Updates"}));
    EXPECT_THAT(lines(), IsEmpty());
}

TEST_F(ReplyDispatcherTest, OnlyWebAddressesAreOpenedAndARefusedOneSilencesNothing)
{
    // Addresses the opener could not open must not start the quiet time.
    for (const char* refused : {"website http://:80/", "website http://user@/x", "website file:///etc/passwd",
                                "website http://a.example/ --new-window file:///etc", "website"}) {
        arrive(refused);
    }
    // Nor must one the opener refused.
    urls.refusing = true;
    arrive("website http://refused.example/");
    urls.refusing = false;
    arrive("website  https://tarvex.example/a?b=c#d\r\n");
    EXPECT_THAT(urls.opened, ElementsAre("http://refused.example/", "https://tarvex.example/a?b=c#d"));
    EXPECT_THAT(messages.shown, IsEmpty());
    EXPECT_THAT(lines(), IsEmpty());
}

TEST_F(ReplyDispatcherTest, AFloodOfWebsiteNoticesOpensOneAddressEveryTenSeconds)
{
    for (int i = 0; i < 1000; ++i) {
        arrive("website http://flood.example/" + std::to_string(i));
        ticks.advance(5);
    }
    EXPECT_THAT(urls.opened, ElementsAre("http://flood.example/0"));
    // A refused address does not restart the quiet time...
    ticks.advance(10000 - 5000);
    arrive("website file:///etc/passwd");
    arrive("website http://next.example/");
    EXPECT_THAT(urls.opened, ElementsAre("http://flood.example/0", "http://next.example/"));
}

TEST_F(ReplyDispatcherTest, AnyDatagramEndsTheWaitEvenAnEmptyOne)
{
    for (const std::string bytes : {"", "msgbox hi", "website http://a.example/", "junk"}) {
        query.QueryServer("a.b", "27500");
        lines() = {"previous"};
        arrive(bytes);
        if (bytes.empty()) {
            EXPECT_THAT(lines(), ElementsAre("previous"));
        }
        // No time-out follows, and the next query goes out at once.
        ticks.advance(5000);
        query.Timer1_Timer();
        EXPECT_NE(lines().front(), "No response from server...") << bytes;
    }
    EXPECT_EQ(socket.sent.size(), 4u);
    EXPECT_THAT(messages.shown, ElementsAre(ShownMessage{" hi", "Updates"}));
}

TEST_F(ReplyDispatcherTest, NoticeFloodNeverStacksBoxes)
{
    int depth = 0;
    int deepest = 0;
    int arrivals = 0;
    messages.whileOpen = [&] {
        ++depth;
        deepest = std::max(deepest, depth);
        // While the first box is open, the network keeps sending.
        while (arrivals < 10000) {
            ++arrivals;
            arrive("msgbox flood " + std::to_string(arrivals));
        }
        socket.deliver("10.1.2.3", 27500, "\xFF\xFF\xFF\xFFn\\hostname\\Still Works\n");
        --depth;
    };
    arrive("msgbox first");

    EXPECT_EQ(deepest, 1);
    EXPECT_THAT(messages.shown, ElementsAre(ShownMessage{" first", "Updates"}));
    EXPECT_EQ(lines().front(), "Hostname: Still Works");

    // Once closed, the next notice is shown again.
    messages.whileOpen = nullptr;
    arrive("msgbox later");
    EXPECT_EQ(messages.shown.back(), (ShownMessage{" later", "Updates"}));
}

TEST_F(ReplyDispatcherTest, HostileDatagramsNeverEscape)
{
    std::vector<std::string> hostile = {
        std::string(65507, '\\'),
        std::string(65507, '\n'),
        std::string(65507, ' '),
        std::string(65507, '\0'),
        std::string(65507, '\xFF'),
        "msgbox" + std::string(65501, '\n'),
        "website " + std::string(65499, 'h'),
        std::string("\0msgbox x", 9),
    };
    std::string mixed;
    for (std::size_t i = 0; mixed.size() < 65507; ++i) {
        mixed += (i % 3 == 0) ? "map\\" : (i % 3 == 1) ? "hostname\n" : "\\";
    }
    mixed.resize(65507);
    hostile.push_back(mixed);

    for (const auto& bytes : hostile) {
        lines().clear();
        EXPECT_NO_THROW(arrive(bytes));
        if (!lines().empty()) {
            ASSERT_TRUE(main.view.showsStatus());
            EXPECT_LE(lines()[0].size(), std::string("Hostname: ").size() + 45);
        }
    }
    EXPECT_THAT(urls.opened, IsEmpty());
}

} // namespace
} // namespace tarvex::test
