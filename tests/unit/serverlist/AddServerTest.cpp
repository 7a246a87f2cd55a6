#include "app/Form1.h"
#include "tests/fakes/FakePlatform.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tarvex::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr const char* kListPath = "/games/tarvex/servers.cfg";
const std::string kStatusQuery = "\xff\xff\xff\xffstatus";

class AddServerTest : public ::testing::Test
{
protected:
    void start(const std::string& listFile)
    {
        fake.files.files[kListPath] = listFile;
        form = std::make_unique<Form1>(fake.platform, UpdateHost{"updates.example", 17500});
        form->Form_Load();
        fake.socket.sent.clear(); // the update query
    }
    FakeMainWindow& window() { return fake.windows.main(); }
    // Opens the dialog and types into both fields as the player would.
    FakeAddServerWindow& openAndType(const std::string& host, const std::string& port)
    {
        form->Command1_Click();
        auto& dialog = *fake.windows.addServers.back();
        dialog.host = host;
        dialog.port = port;
        return dialog;
    }

    FakePlatform fake;
    std::unique_ptr<Form1> form;
};

TEST_F(AddServerTest, OpensWithTheDefaultHostAndPortEveryTime)
{
    start("");
    form->Command1_Click();
    auto& first = *fake.windows.addServers.at(0);
    EXPECT_TRUE(first.shown);
    EXPECT_EQ(first.host, "play.tarvex.net");
    EXPECT_EQ(first.port, "27500");

    // A second press while open neither resets nor reopens it.
    first.host = "typed.host";
    form->Command1_Click();
    EXPECT_EQ(fake.windows.addServers.size(), 1u);
    EXPECT_EQ(first.host, "typed.host");

    first.events.Command2_Click(); // Cancel
    EXPECT_FALSE(first.open);
    form->Command1_Click();
    ASSERT_EQ(fake.windows.addServers.size(), 2u);
    EXPECT_EQ(fake.windows.addServers[1]->host, "play.tarvex.net");
    EXPECT_EQ(fake.windows.addServers[1]->port, "27500");
}

TEST_F(AddServerTest, AnEmptyFieldIsRefusedWithAMessageAndChangesNothing)
{
    struct Case
    {
        const char* host;
        const char* port;
    };
    const Case cases[] = {{"", "27500"}, {"a.b", ""}, {"", ""}};
    start("a.b:1\r\n");
    for (const auto& c : cases) {
        auto& dialog = openAndType(c.host, c.port);
        window().lines = {"previous result"};
        fake.messages.shown.clear();

        dialog.events.Command1_Click();

        ASSERT_EQ(fake.messages.shown.size(), 1u) << c.host << "/" << c.port;
        EXPECT_EQ(fake.messages.shown[0], (ShownMessage{"You must fill in both fields.", "Error"}));
        EXPECT_TRUE(dialog.open);
        EXPECT_EQ(dialog.host, c.host);
        EXPECT_EQ(dialog.port, c.port);
        EXPECT_THAT(form->servers(), ElementsAre("a.b:1"));
        EXPECT_EQ(window().text, "a.b:1");
        EXPECT_THAT(window().lines, ElementsAre("previous result"));
        EXPECT_THAT(fake.socket.sent, IsEmpty());
        dialog.close();
    }
}

TEST_F(AddServerTest, ANewServerIsAppendedChosenAndTheDialogCloses)
{
    start("a.b:1\r\n");
    auto& dialog = openAndType("c.d", "27500");
    window().lines = {"previous result"};

    dialog.events.Command1_Click();

    EXPECT_THAT(form->servers(), ElementsAre("a.b:1", "c.d:27500"));
    EXPECT_THAT(window().items, ElementsAre("a.b:1", "c.d:27500"));
    EXPECT_EQ(window().text, "c.d:27500");
    EXPECT_THAT(window().lines, IsEmpty()); // the change reaction ran
    EXPECT_FALSE(dialog.open);
    EXPECT_THAT(fake.messages.shown, IsEmpty());
    // The file learns of it only when the main window closes.
    EXPECT_EQ(fake.files.files[kListPath], "a.b:1\r\n");
    window().close();
    EXPECT_EQ(fake.files.files[kListPath], "a.b:1\r\nc.d:27500\r\n");
}

TEST_F(AddServerTest, AServerAlreadyListedIsNotAddedAgainAndTheChoiceStays)
{
    start("a.b:1\r\nc.d:27500\r\ne.f:3\r\n");
    window().type("e.f:3");
    window().lines = {"previous result"};
    auto& dialog = openAndType("c.d", "27500");

    dialog.events.Command1_Click();

    EXPECT_THAT(form->servers(), ElementsAre("a.b:1", "c.d:27500", "e.f:3"));
    EXPECT_EQ(window().text, "e.f:3");
    EXPECT_THAT(window().lines, ElementsAre("previous result"));
    EXPECT_FALSE(dialog.open);
    EXPECT_THAT(fake.messages.shown, IsEmpty());
}

TEST_F(AddServerTest, LetterCaseAndBlanksMakeDifferentEntries)
{
    start("a.b:27500\r\n");
    const std::pair<const char*, const char*> typed[] = {
        {"A.b", "27500"}, {" a.b", "27500"}, {"a.b ", "27500"}, {"a.b", " 27500"}, {"a.b", "27500 "}, {" ", " "},
    };
    for (const auto& [host, port] : typed) {
        openAndType(host, port).events.Command1_Click();
    }
    EXPECT_THAT(form->servers(), ElementsAre("a.b:27500", "A.b:27500", " a.b:27500", "a.b :27500", "a.b: 27500",
                                             "a.b:27500 ", " : "));
    EXPECT_EQ(window().text, " : ");
    // Blank fields count as filled; the only boxes are the query's own
    // refusals while the first query is outstanding.
    for (const auto& shown : fake.messages.shown) {
        EXPECT_NE(shown.title, "Error") << shown.text;
    }
}

TEST_F(AddServerTest, EnterAcceptsAndOtherKeysDoNothing)
{
    start("");
    auto& dialog = openAndType("c.d", "1");
    for (int code : {8, 27, 32, 65, 10}) {
        dialog.events.Form_KeyPress(code);
    }
    EXPECT_TRUE(dialog.open);
    EXPECT_THAT(form->servers(), IsEmpty());

    dialog.events.Form_KeyPress(13);
    EXPECT_FALSE(dialog.open);
    EXPECT_THAT(form->servers(), ElementsAre("c.d:1"));
}

TEST_F(AddServerTest, CancelAndTheCloseBoxAddNothingAndSendNothing)
{
    start("a.b:1\r\n");
    openAndType("c.d", "2").events.Command2_Click();
    openAndType("e.f", "3").close();
    EXPECT_THAT(form->servers(), ElementsAre("a.b:1"));
    EXPECT_EQ(window().text, "a.b:1");
    EXPECT_THAT(fake.socket.sent, IsEmpty());
    EXPECT_THAT(fake.messages.shown, IsEmpty());
}

TEST_F(AddServerTest, OkSeesRemovalsMadeWhileTheDialogWasOpen)
{
    start("a.b:1\r\nc.d:2\r\n");
    auto& dialog = openAndType("c.d", "2");
    window().pick(1);
    form->Command3_Click(); // Remove Server, with the dialog still open
    EXPECT_THAT(form->servers(), ElementsAre("a.b:1"));

    dialog.events.Command1_Click();
    EXPECT_THAT(form->servers(), ElementsAre("a.b:1", "c.d:2"));
    EXPECT_EQ(window().text, "c.d:2");
}

TEST_F(AddServerTest, OkAfterTheMainWindowClosedStillKeepsTheServerInTheFile)
{
    start("a.b:1\r\n");
    auto& dialog = openAndType("c.d", "2");
    window().close();
    EXPECT_EQ(fake.files.files[kListPath], "a.b:1\r\n");

    dialog.events.Command1_Click();

    EXPECT_FALSE(dialog.open);
    EXPECT_EQ(fake.files.files[kListPath], "a.b:1\r\nc.d:2\r\n");
    EXPECT_THAT(fake.socket.sent, IsEmpty());
    EXPECT_THAT(fake.messages.shown, IsEmpty());

    // A server already listed rewrites nothing.
    const int writes = fake.files.writeCount;
    form->Command1_Click();
    auto& again = *fake.windows.addServers.back();
    again.host = "a.b";
    again.port = "1";
    again.events.Form_KeyPress(13);
    EXPECT_FALSE(again.open);
    EXPECT_EQ(fake.files.writeCount, writes);
}

TEST_F(AddServerTest, TheTypedServerIsQueriedWhetherNewOrKnown)
{
    start("c.d:27500\r\n");
    openAndType("new.host", "27501").events.Command1_Click();
    ASSERT_EQ(fake.socket.sent.size(), 1u);
    EXPECT_EQ(fake.socket.sent[0].host, "new.host");
    EXPECT_EQ(fake.socket.sent[0].port, 27501);
    EXPECT_EQ(fake.socket.sent[0].bytes, kStatusQuery);

    fake.socket.deliver("127.0.0.1", 27501, "n"); // ends the outstanding query
    openAndType("c.d", "27500").events.Form_KeyPress(13);
    ASSERT_EQ(fake.socket.sent.size(), 2u);
    EXPECT_EQ(fake.socket.sent[1].host, "c.d");
    EXPECT_EQ(fake.socket.sent[1].port, 27500);
    EXPECT_EQ(fake.socket.sent[1].bytes, kStatusQuery);
}

TEST_F(AddServerTest, WhileAQueryIsOutstandingTheServerIsStillAddedAndTheDialogCloses)
{
    start("");
    openAndType("a.b", "1").events.Command1_Click();
    auto& dialog = openAndType("c.d", "2");
    dialog.events.Command1_Click();
    EXPECT_EQ(fake.socket.sent.size(), 1u);
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text,
              "Please wait for a response from the current server before trying to ping another...");
    EXPECT_THAT(form->servers(), ElementsAre("a.b:1", "c.d:2"));
    EXPECT_FALSE(dialog.open);
}

} // namespace
} // namespace tarvex::test
