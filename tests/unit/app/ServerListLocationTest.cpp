#include "app/Form1.h"
#include "app/ServerListLocation.h"
#include "tests/fakes/FakePlatform.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tarvex::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr const char* kBeside = "/games/tarvex/servers.cfg";
constexpr const char* kOwn = "/home/player/.local/share/play-tarvex/servers.cfg";

class ServerListLocationTest : public ::testing::Test
{
protected:
    void installReadOnly() { fake.files.readOnlyDirs.insert(fake.files.exeDir); }
    // One run of the launcher: start, add a server, close.
    void runAddingServer(const std::string& entry)
    {
        Form1 form(fake.platform, UpdateHost{"updates.example", 17500});
        form.Form_Load();
        form.appendServer(entry);
        form.mnuExit_Click();
    }
    FakeMainWindow& lastWindow() { return *fake.windows.mainWindows.back(); }

    FakePlatform fake;
};

TEST_F(ServerListLocationTest, AWritableProgramFolderKeepsTheListBesideTheExecutable)
{
    fake.files.files[kBeside] = "a.b:1\r\n";
    fake.files.files[kOwn] = "stale.own:9\r\n";
    runAddingServer("c.d:2");
    EXPECT_THAT(lastWindow().items, ElementsAre("a.b:1", "c.d:2"));
    EXPECT_EQ(fake.files.files[kBeside], "a.b:1\r\nc.d:2\r\n");
    EXPECT_EQ(fake.files.files[kOwn], "stale.own:9\r\n");
}

TEST_F(ServerListLocationTest, AnInstalledCopyStartsFromTheShippedListAndKeepsItsOwnCopy)
{
    installReadOnly();
    fake.files.files[kBeside] = "shipped.one:1\r\n";
    runAddingServer("mine:2");
    EXPECT_THAT(lastWindow().items, ElementsAre("shipped.one:1", "mine:2"));
    EXPECT_EQ(fake.files.files[kOwn], "shipped.one:1\r\nmine:2\r\n");
    EXPECT_EQ(fake.files.files[kBeside], "shipped.one:1\r\n");

    // The next run reads the player's own copy, not the shipped list.
    runAddingServer("more:3");
    EXPECT_THAT(lastWindow().items, ElementsAre("shipped.one:1", "mine:2", "more:3"));
    EXPECT_EQ(fake.files.files[kOwn], "shipped.one:1\r\nmine:2\r\nmore:3\r\n");
    EXPECT_THAT(fake.messages.shown, IsEmpty());
}

TEST_F(ServerListLocationTest, WithNowhereToWriteTheFailedSaveIsReported)
{
    installReadOnly();
    fake.files.userDir.clear();
    fake.files.files[kBeside] = "a.b:1\r\n";
    fake.files.writeError = "Read-only file system";
    runAddingServer("c.d:2");
    EXPECT_EQ(fake.files.files[kBeside], "a.b:1\r\n");
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_THAT(fake.messages.shown[0].text, HasSubstr(kBeside));
    EXPECT_THAT(fake.messages.shown[0].text, HasSubstr("Read-only file system"));
}

TEST_F(ServerListLocationTest, PathsAreJoinedWithOneSlash)
{
    installReadOnly();
    fake.files.userDir = "/data/";
    EXPECT_EQ(locateServerList(fake.files).writePath, "/data/servers.cfg");
    fake.files.exeDir = "/opt/";
    fake.files.readOnlyDirs = {"/opt/"};
    EXPECT_EQ(locateServerList(fake.files).readPath, "/opt/servers.cfg");
}

} // namespace
} // namespace tarvex::test
