#include "serverlist/AddServer.h"
#include "query/StatusQuery.h"
#include "serverlist/ServerRemoval.h"
#include "tests/fakes/FakeServices.h"
#include "tests/fakes/FakeWindowSystem.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tarvex::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class AddServerTest : public ::testing::Test
{
protected:
    AddServerTest()
    {
        socket.setReceiver([this](const Datagram& datagram) { query.arrived(datagram, DatagramKind::StatusReply); });
    }
    // The main window as it is once servers.cfg has been read at start-up.
    void start(std::vector<std::string> entries)
    {
        main.state.replaceServers(std::move(entries));
        main.state.setServerBoxText(main.state.servers().empty() ? "" : main.state.servers().front());
    }
    // Opens the dialog and types into both fields as the player would.
    FakeAddServerWindow& openAndType(const std::string& host, const std::string& port)
    {
        addServer.open();
        auto& view = *windows.addServers.back();
        view.host = host;
        view.port = port;
        return view;
    }

    ShownMainWindow main;
    FakeMainWindowView& window = main.view;
    FakeMessageBox messages;
    FakeTickCounter ticks;
    FakeDatagramSocket socket;
    FakeWindowSystem windows;
    StatusQuery query{main.state, messages, ticks, socket};
    AddServer addServer{main.state, query, windows, messages};
};

TEST_F(AddServerTest, OpensWithTheDefaultHostAndPortEveryTime)
{
    start({});
    addServer.open();
    auto& first = *windows.addServers.at(0);
    EXPECT_TRUE(first.shown);
    EXPECT_EQ(first.host, "play.tarvex.net");
    EXPECT_EQ(first.port, "27500");

    // A second press while open neither resets nor reopens it.
    first.host = "typed.host";
    addServer.open();
    EXPECT_EQ(windows.addServers.size(), 1u);
    EXPECT_EQ(first.host, "typed.host");

    first.events.Command2_Click(); // Cancel
    EXPECT_FALSE(first.open);
    addServer.open();
    ASSERT_EQ(windows.addServers.size(), 2u);
    EXPECT_EQ(windows.addServers[1]->host, "play.tarvex.net");
    EXPECT_EQ(windows.addServers[1]->port, "27500");
}

TEST_F(AddServerTest, AnEmptyFieldIsRefusedWithAMessageAndChangesNothing)
{
    struct Case
    {
        const char* host;
        const char* port;
    };
    const Case cases[] = {{"", "27500"}, {"a.b", ""}, {"", ""}};
    start({"a.b:1"});
    for (const auto& c : cases) {
        auto& dialog = openAndType(c.host, c.port);
        window.lines = {"previous result"};
        messages.shown.clear();

        dialog.events.Command1_Click();

        ASSERT_EQ(messages.shown.size(), 1u) << c.host << "/" << c.port;
        EXPECT_EQ(messages.shown[0], (ShownMessage{"You must fill in both fields.", "Error"}));
        EXPECT_TRUE(dialog.open);
        EXPECT_EQ(dialog.host, c.host);
        EXPECT_EQ(dialog.port, c.port);
        EXPECT_THAT(window.items, ElementsAre("a.b:1"));
        EXPECT_EQ(window.text, "a.b:1");
        EXPECT_THAT(window.lines, ElementsAre("previous result"));
        EXPECT_THAT(socket.sent, IsEmpty());
        dialog.close();
    }
}

TEST_F(AddServerTest, ANewServerIsAppendedChosenAndTheDialogCloses)
{
    start({"a.b:1"});
    auto& dialog = openAndType("c.d", "27500");
    window.lines = {"previous result"};

    dialog.events.Command1_Click();

    EXPECT_THAT(window.items, ElementsAre("a.b:1", "c.d:27500"));
    EXPECT_EQ(window.text, "c.d:27500");
    EXPECT_THAT(window.lines, IsEmpty()); // the change reaction ran
    EXPECT_FALSE(dialog.open);
    EXPECT_THAT(messages.shown, IsEmpty());
}

TEST_F(AddServerTest, AServerAlreadyListedIsNotAddedAgainAndTheChoiceStays)
{
    start({"a.b:1", "c.d:27500", "e.f:3"});
    window.text = "e.f:3";
    window.lines = {"previous result"};
    auto& dialog = openAndType("c.d", "27500");

    dialog.events.Command1_Click();

    EXPECT_THAT(window.items, ElementsAre("a.b:1", "c.d:27500", "e.f:3"));
    EXPECT_EQ(window.text, "e.f:3");
    EXPECT_THAT(window.lines, ElementsAre("previous result"));
    EXPECT_FALSE(dialog.open);
    EXPECT_THAT(messages.shown, IsEmpty());
}

TEST_F(AddServerTest, LetterCaseAndBlanksMakeDifferentEntries)
{
    start({"a.b:27500"});
    const std::pair<const char*, const char*> typed[] = {
        {"A.b", "27500"}, {" a.b", "27500"}, {"a.b ", "27500"}, {"a.b", " 27500"}, {"a.b", "27500 "}, {" ", " "},
    };
    for (const auto& [host, port] : typed) {
        openAndType(host, port).events.Command1_Click();
    }
    EXPECT_THAT(window.items,
                ElementsAre("a.b:27500", "A.b:27500", " a.b:27500", "a.b :27500", "a.b: 27500", "a.b:27500 ", " : "));
    EXPECT_EQ(window.text, " : ");
    // Blank fields count as filled; the only boxes are the query's own
    // refusals while the first query is outstanding.
    for (const auto& shown : messages.shown) {
        EXPECT_NE(shown.title, "Error") << shown.text;
    }
}

TEST_F(AddServerTest, EnterAcceptsAndOtherKeysDoNothing)
{
    start({});
    auto& dialog = openAndType("c.d", "1");
    for (int code : {8, 27, 32, 65, 10}) {
        dialog.events.Form_KeyPress(code);
    }
    EXPECT_TRUE(dialog.open);
    EXPECT_THAT(window.items, IsEmpty());

    dialog.events.Form_KeyPress(kEnterKey);
    EXPECT_FALSE(dialog.open);
    EXPECT_THAT(window.items, ElementsAre("c.d:1"));
}

TEST_F(AddServerTest, CancelAndTheCloseBoxAddNothingAndSendNothing)
{
    start({"a.b:1"});
    openAndType("c.d", "2").events.Command2_Click();
    openAndType("e.f", "3").close();
    EXPECT_THAT(window.items, ElementsAre("a.b:1"));
    EXPECT_EQ(window.text, "a.b:1");
    EXPECT_THAT(socket.sent, IsEmpty());
    EXPECT_THAT(messages.shown, IsEmpty());
}

TEST_F(AddServerTest, OkSeesRemovalsMadeWhileTheDialogWasOpen)
{
    start({"a.b:1", "c.d:2"});
    auto& dialog = openAndType("c.d", "2");
    window.text = "c.d:2";
    removeChosenServer(main.state); // Remove Server, with the dialog still open
    EXPECT_THAT(window.items, ElementsAre("a.b:1"));

    dialog.events.Command1_Click();
    EXPECT_THAT(window.items, ElementsAre("a.b:1", "c.d:2"));
    EXPECT_EQ(window.text, "c.d:2");
}

TEST_F(AddServerTest, OkAfterTheMainWindowClosedStillAddsTheServerButSendsNothing)
{
    int appendedAfterClose = 0;
    main.state.onAppendedAfterClose([&] { ++appendedAfterClose; });
    start({"a.b:1"});
    auto& dialog = openAndType("c.d", "2");
    main.state.detach();

    dialog.events.Command1_Click();

    EXPECT_FALSE(dialog.open);
    EXPECT_THAT(main.state.servers(), ElementsAre("a.b:1", "c.d:2"));
    EXPECT_EQ(appendedAfterClose, 1);
    EXPECT_THAT(socket.sent, IsEmpty());
    EXPECT_THAT(messages.shown, IsEmpty());

    // A server already listed adds nothing.
    auto& again = openAndType("a.b", "1");
    again.events.Form_KeyPress(kEnterKey);
    EXPECT_FALSE(again.open);
    EXPECT_EQ(appendedAfterClose, 1);
}

TEST_F(AddServerTest, TheTypedServerIsQueriedWhetherNewOrKnown)
{
    start({"c.d:27500"});
    openAndType("new.host", "27501").events.Command1_Click();
    ASSERT_EQ(socket.sent.size(), 1u);
    EXPECT_EQ(socket.sent[0].host, "new.host");
    EXPECT_EQ(socket.sent[0].port, 27501);
    EXPECT_EQ(socket.sent[0].bytes, kStatusQuery);

    socket.deliver("192.0.2.7", 27501, "reply"); // ends the outstanding query
    openAndType("c.d", "27500").events.Form_KeyPress(kEnterKey);
    ASSERT_EQ(socket.sent.size(), 2u);
    EXPECT_EQ(socket.sent[1].host, "c.d");
    EXPECT_EQ(socket.sent[1].port, 27500);
    EXPECT_EQ(socket.sent[1].bytes, kStatusQuery);
}

TEST_F(AddServerTest, WhileAQueryIsOutstandingTheServerIsStillAddedAndTheDialogCloses)
{
    start({});
    openAndType("a.b", "1").events.Command1_Click();
    auto& dialog = openAndType("c.d", "2");
    dialog.events.Command1_Click();
    EXPECT_EQ(socket.sent.size(), 1u);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "Please wait for a response from the current server before trying to ping another...");
    EXPECT_THAT(window.items, ElementsAre("a.b:1", "c.d:2"));
    EXPECT_FALSE(dialog.open);
}

} // namespace
} // namespace tarvex::test
