#include "app/Settings.h"
#include "tests/fakes/FakeServices.h"

#include <gtest/gtest.h>

namespace tarvex::test {
namespace {

TEST(ProgramFilePath, AddsOneSlashOnlyWhenTheDirectoryLacksIt)
{
    FakeFileSystem files;
    files.exeDir = "C:\\Games\\Quake";
    EXPECT_EQ(ProgramFilePath(files, "qf-client-win.exe"), "C:\\Games\\Quake/qf-client-win.exe");
    files.exeDir = "/";
    EXPECT_EQ(ProgramFilePath(files, "servers.cfg"), "/servers.cfg");
    files.exeDir = "/opt/tarvex/";
    EXPECT_EQ(ProgramFilePath(files, "servers.cfg"), "/opt/tarvex/servers.cfg");
}

TEST(SettingsDefaults, EmptyPathResetsItsParametersButAStoredPathKeepsBoth)
{
    FakeSettingsStore store;
    FakeFileSystem files;
    store.set("Regular Quake Path", "");
    store.set("Regular Quake CMD", "-nosound");
    store.set("GL Quake Path", "/usr/games/gl");
    store.set("GL Quake CMD", "-width 800");

    settings::applyClientPathDefaults(store, files);

    EXPECT_EQ(store.get("Regular Quake Path"), "/games/tarvex/qf-client-win.exe");
    EXPECT_EQ(store.get("Regular Quake CMD"), "");
    EXPECT_EQ(store.get("GL Quake Path"), "/usr/games/gl");
    EXPECT_EQ(store.get("GL Quake CMD"), "-width 800");
}

TEST(SettingsDefaults, AbsentParametersBesideAStoredPathStayAbsent)
{
    FakeSettingsStore store;
    FakeFileSystem files;
    store.set("Regular Quake Path", "/x/client");
    store.set("GL Quake Path", "/x/gl");

    settings::applyClientPathDefaults(store, files);

    EXPECT_TRUE(store.writes.empty());
    EXPECT_EQ(store.get("Regular Quake CMD"), std::nullopt);
}

} // namespace
} // namespace tarvex::test
