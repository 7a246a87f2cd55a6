#include "state/Settings.h"
#include "state/ReportingSettingsStore.h"
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

namespace tarvex::test {
namespace {

TEST(ReportingSettingsStore, TellsThePlayerOnceWhenValuesCannotBeKept)
{
    FakeSettingsStore store;
    FakeMessageBox messages;
    ReportingSettingsStore reporting(store, messages);

    EXPECT_TRUE(reporting.save("Zephanor Installer", "Play Tarvex", "regular?", "yes").ok());
    EXPECT_TRUE(messages.shown.empty());

    store.failure = "/home/p/.config/Zephanor Installer.ini could not be written";
    EXPECT_TRUE(reporting.save("Zephanor Installer", "Play Tarvex", "regular?", "no").failed());
    EXPECT_TRUE(reporting.save("Zephanor Installer", "Play Tarvex", "GL Quake CMD", "").failed());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Tarvex Game Launcher");
    EXPECT_NE(messages.shown[0].text.find(store.failure), std::string::npos);
    EXPECT_EQ(reporting.read("Zephanor Installer", "Play Tarvex", "regular?"), "yes");
}

} // namespace
} // namespace tarvex::test
