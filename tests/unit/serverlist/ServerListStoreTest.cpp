#include "serverlist/ServerListStore.h"
#include "tests/fakes/FakeServices.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tarvex::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr const char* kBeside = kFakeServerList;
constexpr const char* kOwn = "/home/player/.local/share/play-tarvex/servers.cfg";

class ServerListStoreTest : public ::testing::Test
{
protected:
    void installReadOnly() { files.readOnlyDirs.insert(files.exeDir); }
    // One run of the launcher: load at start, add a server, save at close.
    std::vector<std::string> runAddingServer(const std::string& entry)
    {
        ServerListStore store(files, messages);
        auto entries = store.load();
        entries.push_back(entry);
        store.save(entries);
        return entries;
    }

    FakeFileSystem files;
    FakeMessageBox messages;
};

TEST_F(ServerListStoreTest, AWritableProgramFolderKeepsTheListBesideTheExecutable)
{
    files.files[kBeside] = "a.b:1\r\n";
    files.files[kOwn] = "stale.own:9\r\n";
    EXPECT_THAT(runAddingServer("c.d:2"), ElementsAre("a.b:1", "c.d:2"));
    EXPECT_EQ(files.files[kBeside], "a.b:1\r\nc.d:2\r\n");
    EXPECT_EQ(files.files[kOwn], "stale.own:9\r\n");
}

TEST_F(ServerListStoreTest, AnInstalledCopyStartsFromTheShippedListAndKeepsItsOwnCopy)
{
    installReadOnly();
    files.files[kBeside] = "shipped.one:1\r\n";
    EXPECT_THAT(runAddingServer("mine:2"), ElementsAre("shipped.one:1", "mine:2"));
    EXPECT_EQ(files.files[kOwn], "shipped.one:1\r\nmine:2\r\n");
    EXPECT_EQ(files.files[kBeside], "shipped.one:1\r\n");

    // The next run reads the player's own copy, not the shipped list.
    EXPECT_THAT(runAddingServer("more:3"), ElementsAre("shipped.one:1", "mine:2", "more:3"));
    EXPECT_EQ(files.files[kOwn], "shipped.one:1\r\nmine:2\r\nmore:3\r\n");
    EXPECT_THAT(messages.shown, IsEmpty());
}

TEST_F(ServerListStoreTest, AFailedSaveIsReportedAndLeavesTheFile)
{
    installReadOnly();
    files.userDir.clear(); // nowhere else to write
    files.files[kBeside] = "a.b:1\r\n";
    files.writeError = "Read-only file system";
    runAddingServer("c.d:2");
    EXPECT_EQ(files.files[kBeside], "a.b:1\r\n");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Tarvex Game Launcher");
    EXPECT_THAT(messages.shown[0].text, HasSubstr(kBeside));
    EXPECT_THAT(messages.shown[0].text, HasSubstr("Read-only file system"));
}

TEST_F(ServerListStoreTest, UnreadableListIsReportedAndNeverOverwrittenSilently)
{
    files.unreadable[kBeside] = "Permission denied";
    ServerListStore store(files, messages);
    EXPECT_THAT(store.load(), IsEmpty());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_THAT(messages.shown[0].text, HasSubstr("could not be read"));

    store.save({});
    EXPECT_EQ(messages.shown.size(), 1u) << "nothing to lose, nothing to say";
    store.save({"a.b:1"});
    EXPECT_EQ(files.writeCount, 0);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_THAT(messages.shown[1].text, HasSubstr("not saved"));
}

TEST_F(ServerListStoreTest, PathsAreJoinedWithOneSlash)
{
    installReadOnly();
    files.userDir = "/data/";
    ServerListStore(files, messages).save({"a.b:1"});
    EXPECT_EQ(files.files["/data/servers.cfg"], "a.b:1\r\n");

    files.exeDir = "/opt/";
    files.readOnlyDirs = {"/opt/"};
    files.files = {{"/opt/servers.cfg", "c.d:2\r\n"}};
    EXPECT_THAT(ServerListStore(files, messages).load(), ElementsAre("c.d:2"));
}

} // namespace
} // namespace tarvex::test
