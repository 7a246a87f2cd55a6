#include "launch/JoinServer.h"
#include "tests/fakes/FakeServices.h"
#include "tests/fakes/FakeWindowSystem.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace tarvex::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr const char* kTitle = "Tarvex Game Launcher";
constexpr const char* kNotFound = "Quakeforge not found, please check your paths";

class JoinServerTest : public ::testing::Test
{
protected:
    JoinServerTest()
    {
        settings.setClients();
        files.files[kRegular] = "";
        files.files[kGl] = "";
    }
    void join(const std::string& address)
    {
        window.text = address;
        joinServer(main.state, settings, files, processes, messages);
    }

    ShownMainWindow main;
    FakeMainWindowView& window = main.view;
    FakeSettingsStore settings;
    FakeFileSystem files;
    FakeProcessStarter processes;
    FakeMessageBox messages;
};

TEST_F(JoinServerTest, AddressesWithoutBothAColonAndADotAreRefusedBeforeAnythingElse)
{
    for (const char* address : {"", "myhost:27500", "qw.example.com", "...", ":::"}) {
        join(address);
    }
    EXPECT_EQ(messages.shown, std::vector<ShownMessage>(5, {"Invalid Server Address", kTitle}));
    EXPECT_FALSE(window.minimised);
    EXPECT_THAT(processes.started, IsEmpty());
    EXPECT_THAT(settings.reads, IsEmpty());
}

TEST_F(JoinServerTest, AnyTextWithAColonAndADotPassesTheAddressTest)
{
    for (const char* address : {":.", ".:", "a.b:c", "x:y.z", "host name.with spaces:port"}) {
        join(address);
        ASSERT_FALSE(processes.started.empty()) << address;
        EXPECT_EQ(processes.started.back().arguments.back(), address);
    }
    EXPECT_THAT(messages.shown, IsEmpty());
}

TEST_F(JoinServerTest, MissingOrEmptyClientPathIsReportedAndTheWindowStaysAsItWas)
{
    files.files.erase(kRegular);
    join("qw.example.com:27500");
    settings.set("Regular Quake Path", "");
    files.files[""] = ""; // even a file system that answered yes for ""
    join("qw.example.com:27500");

    EXPECT_EQ(messages.shown, std::vector<ShownMessage>(2, {kNotFound, kTitle}));
    EXPECT_FALSE(window.minimised);
    EXPECT_THAT(processes.started, IsEmpty());
    // Nothing is repaired behind the player's back.
    EXPECT_EQ(settings.get("Regular Quake Path"), "");
}

TEST_F(JoinServerTest, EachClientReadsOnlyItsOwnKeys)
{
    struct Case
    {
        bool regular;
        const char* program;
        const char* parameter;
        const char* foreignPath;
        const char* foreignCmd;
    };
    const Case cases[] = {
        {true, kRegular, "-regular", "GL Quake Path", "GL Quake CMD"},
        {false, kGl, "-gl", "Regular Quake Path", "Regular Quake CMD"},
    };
    for (const auto& c : cases) {
        window.option1 = c.regular;
        settings.reads.clear();
        processes.started.clear();
        join("qw.example.com:27500");

        ASSERT_EQ(processes.started.size(), 1u);
        EXPECT_EQ(processes.started[0].program, c.program);
        EXPECT_THAT(processes.started[0].arguments, ElementsAre(c.parameter, "+connect", "qw.example.com:27500"));
        EXPECT_FALSE(settings.reads.empty());
        for (const auto& key : settings.reads) {
            EXPECT_NE(key, c.foreignPath);
            EXPECT_NE(key, c.foreignCmd);
            EXPECT_NE(key, "regular?") << "the choice on the window decides, not the stored one";
        }
    }
}

TEST_F(JoinServerTest, MissingGlClientIsReportedEvenWhenTheRegularOneExists)
{
    files.files.erase(kGl);
    window.option1 = false;
    join("qw.example.com:27500");
    EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{{kNotFound, kTitle}}));
    EXPECT_THAT(processes.started, IsEmpty());
}

TEST_F(JoinServerTest, SuccessfulJoinMinimisesAndStartsTheClientMaximisedWithoutAMessage)
{
    settings.set("Regular Quake Path", "/home/me/My Games/qf client");
    settings.set("Regular Quake CMD", "");
    files.files["/home/me/My Games/qf client"] = "";
    join("qw.example.com:27500");

    EXPECT_TRUE(window.minimised);
    EXPECT_THAT(messages.shown, IsEmpty());
    ASSERT_EQ(processes.started.size(), 1u);
    EXPECT_EQ(processes.started[0].program, "/home/me/My Games/qf client");
    EXPECT_THAT(processes.started[0].arguments, ElementsAre("+connect", "qw.example.com:27500"));
    EXPECT_EQ(processes.started[0].commandLine, "\"/home/me/My Games/qf client\"  +connect qw.example.com:27500");
    EXPECT_EQ(processes.started[0].state, WindowState::Maximised);

    // The launcher stays usable; a second press starts a second client.
    join("qw.example.com:27500");
    EXPECT_EQ(processes.started.size(), 2u);
}

TEST_F(JoinServerTest, ClientThatCannotBeStartedIsReportedAndTheWindowRestored)
{
    processes.failure = "the file is not executable";
    join("qw.example.com:27500");

    ASSERT_EQ(processes.started.size(), 1u);
    EXPECT_FALSE(window.minimised);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, kTitle);
    EXPECT_THAT(messages.shown[0].text, HasSubstr(kRegular));
    EXPECT_THAT(messages.shown[0].text, HasSubstr("the file is not executable"));
    EXPECT_THAT(messages.shown[0].text, HasSubstr(std::string(kRegular) + " -regular +connect qw.example.com:27500"));
}

TEST_F(JoinServerTest, EveryMessageIsShownWhileTheWindowIsNotMinimised)
{
    std::vector<bool> minimisedWhileShown;
    messages.whileOpen = [&] { minimisedWhileShown.push_back(window.minimised); };
    join("no-port.example.com");
    files.files.erase(kRegular);
    join("qw.example.com:27500");
    files.files[kRegular] = "";
    processes.failure = "broken";
    join("qw.example.com:27500");
    EXPECT_THAT(minimisedWhileShown, ElementsAre(false, false, false));
}

} // namespace
} // namespace tarvex::test
