#include "app/Form1.h"
#include "tests/fakes/FakePlatform.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tarvex::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class Form1Test : public ::testing::Test
{
protected:
    void start()
    {
        form = std::make_unique<Form1>(fake.platform, UpdateHost{"updates.example", 17500});
        form->Form_Load();
    }
    FakeMainWindowView& window() { return fake.windows.main(); }

    FakePlatform fake;
    std::unique_ptr<Form1> form;
};

TEST_F(Form1Test, FirstStartWritesEveryDefaultAndChoosesTheRegularClient)
{
    start();

    EXPECT_EQ(fake.settings.get("regular?"), "yes");
    EXPECT_EQ(fake.settings.get("GL Quake Path"), "/games/tarvex/qf-client-wgl.exe");
    EXPECT_EQ(fake.settings.get("GL Quake CMD"), "");
    EXPECT_EQ(fake.settings.get("Regular Quake Path"), "/games/tarvex/qf-client-win.exe");
    EXPECT_EQ(fake.settings.get("Regular Quake CMD"), "");
    EXPECT_TRUE(window().option1);
    EXPECT_TRUE(window().shown);
    EXPECT_THAT(window().items, IsEmpty());
    EXPECT_EQ(window().text, "");
    EXPECT_THAT(window().lines, IsEmpty());
}

TEST_F(Form1Test, SecondStartWritesOnlyWhatSelectingTheClientWrites)
{
    fake.settings.set("regular?", "no");
    fake.settings.set("Regular Quake Path", "/a/client");
    fake.settings.set("Regular Quake CMD", "-x");
    fake.settings.set("GL Quake Path", "/a/gl");
    start();

    EXPECT_EQ(fake.settings.writes, (std::vector<std::pair<std::string, std::string>>{{"regular?", "no"}}));
    EXPECT_FALSE(window().option1);
}

TEST_F(Form1Test, OnlyExactlyYesChoosesTheRegularClient)
{
    for (const char* stored : {"Yes", "YES", "yes ", "1", "no"}) {
        FakePlatform local;
        local.settings.set("regular?", stored);
        Form1 other(local.platform, UpdateHost{"u", 17500});
        other.Form_Load();
        EXPECT_FALSE(local.windows.main().option1) << stored;
        EXPECT_EQ(local.settings.get("regular?"), "no") << stored;
    }
}

TEST_F(Form1Test, ClickingAnOptionStoresTheChoice)
{
    start();
    window().setOption1Selected(false);
    form->Option2_Click();
    EXPECT_EQ(fake.settings.get("regular?"), "no");
    window().setOption1Selected(true);
    form->Option1_Click();
    EXPECT_EQ(fake.settings.get("regular?"), "yes");
}

TEST_F(Form1Test, StartUpSendsTheUpdateQueryAndRunsTheTimer)
{
    start();
    ASSERT_EQ(fake.socket.sent.size(), 1u);
    EXPECT_EQ(fake.socket.sent[0].host, "updates.example");
    EXPECT_EQ(fake.socket.sent[0].port, 17500);
    EXPECT_EQ(fake.socket.sent[0].bytes, "Updates?");
    EXPECT_EQ(fake.timer.intervalMs, 100);
    EXPECT_TRUE(fake.timer.running());
    // A failed lookup of the update host is silent.
    fake.socket.failSend(0, "the host name could not be resolved");
    EXPECT_THAT(fake.messages.shown, IsEmpty());
}

TEST_F(Form1Test, ServerListFillsTheBoxAndItsFirstEntryIsChosen)
{
    fake.files.files[kFakeServerList] = "a.b:1\r\n\r\nc.d:2";
    start();
    EXPECT_THAT(window().items, ElementsAre("a.b:1", "", "c.d:2"));
    EXPECT_EQ(window().text, "a.b:1");
    EXPECT_THAT(window().lines, IsEmpty());
}

TEST_F(Form1Test, TypingClearsTheResultsButPickingDoesNot)
{
    fake.files.files[kFakeServerList] = "a.b:1\r\nc.d:2\r\n";
    start();
    window().lines = {"Hostname: x"};
    window().pick(1);
    EXPECT_EQ(form->window().serverBoxText(), "c.d:2");
    EXPECT_THAT(window().lines, ElementsAre("Hostname: x"));
    window().type("c.d:");
    EXPECT_THAT(window().lines, IsEmpty());
}

TEST_F(Form1Test, ClosingSavesTheListAndStopsTheTimerAndSocket)
{
    fake.files.files[kFakeServerList] = "a.b:1\n\nc.d:2";
    start();
    window().pick(0);
    form->Command3_Click(); // Remove Server
    EXPECT_EQ(fake.files.writeCount, 0);
    window().type("typed.but:never added");
    form->window().addIfNotListed("e.f:3");
    form->mnuExit_Click();

    EXPECT_EQ(fake.files.files[kFakeServerList], "c.d:2\r\ne.f:3\r\n");
    EXPECT_FALSE(form->window().isOpen());
    EXPECT_FALSE(fake.timer.running());
    EXPECT_TRUE(fake.socket.closed);
    EXPECT_THAT(fake.messages.shown, IsEmpty());
}

TEST_F(Form1Test, NoFileAtStartGivesAnEmptyFileAtClose)
{
    start();
    window().close();
    EXPECT_EQ(fake.files.files.at(kFakeServerList), "");
}

TEST_F(Form1Test, SecondaryWindowsOpenOnceEach)
{
    start();
    form->Command1_Click();
    form->Command1_Click();
    form->mnuEdit_Click();
    form->mnuEdit_Click();
    form->mnuHelpMe_Click();
    form->mnuHelpMe_Click();
    EXPECT_EQ(fake.windows.addServers.size(), 1u);
    EXPECT_EQ(fake.windows.editPaths.size(), 1u);
    EXPECT_EQ(fake.windows.helps.size(), 1u);
    EXPECT_TRUE(fake.windows.addServers[0]->shown);

    fake.windows.addServers[0]->close();
    form->Command1_Click();
    EXPECT_EQ(fake.windows.addServers.size(), 2u);
}

TEST_F(Form1Test, SecondaryWindowsOutliveTheMainWindowSafely)
{
    fake.files.files[kFakeServerList] = "a.b:1\r\n";
    start();
    form->mnuHelpMe_Click();
    form->Command1_Click();
    window().close();
    EXPECT_FALSE(form->window().isOpen());
    // The help window still closes cleanly after the main window is gone.
    fake.windows.helps[0]->close();
    EXPECT_FALSE(fake.windows.helps[0]->open);

    // A server added in the dialog left open is written to the file at once:
    // the list was saved when the window closed.
    auto& dialog = *fake.windows.addServers[0];
    dialog.host = "late.example";
    dialog.events.Command1_Click();
    EXPECT_EQ(fake.files.files[kFakeServerList], "a.b:1\r\nlate.example:27500\r\n");
    EXPECT_EQ(fake.socket.sent.size(), 1u) << "only the update query: no socket after closing";
}

} // namespace
} // namespace tarvex::test

namespace tarvex::test {
namespace {

TEST(Form1BrokenSettings, StoreThatKeepsNothingStillStartsWithTheRegularClient)
{
    FakePlatform fake;
    fake.settings.failure = "the settings file could not be written";
    Form1 form(fake.platform, UpdateHost{"u", 17500});
    form.Form_Load();
    EXPECT_TRUE(fake.windows.main().option1);
    EXPECT_TRUE(fake.windows.main().shown);
}

} // namespace
} // namespace tarvex::test
