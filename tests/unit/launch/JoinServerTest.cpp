#include "app/Form1.h"
#include "launch/JoinServer.h"
#include "tests/fakes/FakePlatform.h"

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
        fake.settings.set("Regular Quake Path", "/games/regular");
        fake.settings.set("Regular Quake CMD", "-regular");
        fake.settings.set("GL Quake Path", "/games/gl");
        fake.settings.set("GL Quake CMD", "-gl");
        fake.files.files["/games/regular"] = "";
        fake.files.files["/games/gl"] = "";
        form.Form_Load();
        fake.settings.reads.clear();
    }
    FakeMainWindow& window() { return fake.windows.main(); }
    void join(const std::string& address)
    {
        window().type(address);
        form.Command4_Click();
    }

    FakePlatform fake;
    Form1 form{fake.platform, UpdateHost{"updates.example", 17500}};
};

TEST_F(JoinServerTest, AddressesWithoutBothAColonAndADotAreRefusedBeforeAnythingElse)
{
    for (const char* address : {"", "myhost:27500", "qw.example.com", "...", ":::"}) {
        join(address);
    }
    EXPECT_EQ(fake.messages.shown, std::vector<ShownMessage>(5, {"Invalid Server Address", kTitle}));
    EXPECT_FALSE(window().minimised);
    EXPECT_THAT(fake.processes.started, IsEmpty());
    EXPECT_THAT(fake.settings.reads, IsEmpty());
}

TEST_F(JoinServerTest, AnyTextWithAColonAndADotPassesTheAddressTest)
{
    for (const char* address : {":.", ".:", "a.b:c", "x:y.z", "host name.with spaces:port"}) {
        join(address);
        ASSERT_FALSE(fake.processes.started.empty()) << address;
        EXPECT_EQ(fake.processes.started.back().arguments.back(), address);
    }
    EXPECT_THAT(fake.messages.shown, IsEmpty());
}

TEST_F(JoinServerTest, MissingOrEmptyClientPathIsReportedAndTheWindowStaysAsItWas)
{
    fake.files.files.erase("/games/regular");
    join("qw.example.com:27500");
    fake.settings.set("Regular Quake Path", "");
    fake.files.files[""] = ""; // even a file system that answered yes for ""
    join("qw.example.com:27500");

    EXPECT_EQ(fake.messages.shown, std::vector<ShownMessage>(2, {kNotFound, kTitle}));
    EXPECT_FALSE(window().minimised);
    EXPECT_THAT(fake.processes.started, IsEmpty());
    // Nothing is repaired behind the player's back.
    EXPECT_EQ(fake.settings.get("Regular Quake Path"), "");
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
        {true, "/games/regular", "-regular", "GL Quake Path", "GL Quake CMD"},
        {false, "/games/gl", "-gl", "Regular Quake Path", "Regular Quake CMD"},
    };
    for (const auto& c : cases) {
        window().option1 = c.regular;
        fake.settings.reads.clear();
        fake.processes.started.clear();
        join("qw.example.com:27500");

        ASSERT_EQ(fake.processes.started.size(), 1u);
        EXPECT_EQ(fake.processes.started[0].program, c.program);
        EXPECT_THAT(fake.processes.started[0].arguments, ElementsAre(c.parameter, "+connect", "qw.example.com:27500"));
        EXPECT_FALSE(fake.settings.reads.empty());
        for (const auto& key : fake.settings.reads) {
            EXPECT_NE(key, c.foreignPath);
            EXPECT_NE(key, c.foreignCmd);
            EXPECT_NE(key, "regular?") << "the choice on the window decides, not the stored one";
        }
    }
}

TEST_F(JoinServerTest, MissingGlClientIsReportedEvenWhenTheRegularOneExists)
{
    fake.files.files.erase("/games/gl");
    window().option1 = false;
    join("qw.example.com:27500");
    EXPECT_EQ(fake.messages.shown, (std::vector<ShownMessage>{{kNotFound, kTitle}}));
    EXPECT_THAT(fake.processes.started, IsEmpty());
}

TEST_F(JoinServerTest, SuccessfulJoinMinimisesAndStartsTheClientMaximisedWithoutAMessage)
{
    fake.settings.set("Regular Quake Path", "/home/me/My Games/qf client");
    fake.settings.set("Regular Quake CMD", "");
    fake.files.files["/home/me/My Games/qf client"] = "";
    join("qw.example.com:27500");

    EXPECT_TRUE(window().minimised);
    EXPECT_THAT(fake.messages.shown, IsEmpty());
    ASSERT_EQ(fake.processes.started.size(), 1u);
    EXPECT_EQ(fake.processes.started[0].program, "/home/me/My Games/qf client");
    EXPECT_THAT(fake.processes.started[0].arguments, ElementsAre("+connect", "qw.example.com:27500"));
    EXPECT_EQ(fake.processes.started[0].commandLine, "\"/home/me/My Games/qf client\"  +connect qw.example.com:27500");
    EXPECT_EQ(fake.processes.started[0].state, WindowState::Maximised);

    // The launcher stays usable; a second press starts a second client.
    form.Command4_Click();
    EXPECT_EQ(fake.processes.started.size(), 2u);
}

TEST_F(JoinServerTest, TextTypedAfterPickingAnEntryIsWhatIsJoined)
{
    form.appendServer("qw.example.com:27500");
    window().pick(0);
    window().type("other.example.com:27501");
    form.Command4_Click();

    ASSERT_EQ(fake.processes.started.size(), 1u);
    EXPECT_EQ(fake.processes.started[0].arguments.back(), "other.example.com:27501");
    EXPECT_THAT(form.servers(), ElementsAre("qw.example.com:27500"));
}

TEST_F(JoinServerTest, ClientThatCannotBeStartedIsReportedAndTheWindowRestored)
{
    fake.processes.failure = "the file is not executable";
    join("qw.example.com:27500");

    ASSERT_EQ(fake.processes.started.size(), 1u);
    EXPECT_FALSE(window().minimised);
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].title, kTitle);
    EXPECT_THAT(fake.messages.shown[0].text, HasSubstr("/games/regular"));
    EXPECT_THAT(fake.messages.shown[0].text, HasSubstr("the file is not executable"));
    EXPECT_THAT(fake.messages.shown[0].text, HasSubstr("/games/regular -regular +connect qw.example.com:27500"));
}

TEST_F(JoinServerTest, EveryMessageIsShownWhileTheWindowIsNotMinimised)
{
    std::vector<bool> minimisedWhileShown;
    fake.messages.whileOpen = [&] { minimisedWhileShown.push_back(window().minimised); };
    join("no-port.example.com");
    fake.files.files.erase("/games/regular");
    join("qw.example.com:27500");
    fake.files.files["/games/regular"] = "";
    fake.processes.failure = "broken";
    join("qw.example.com:27500");
    EXPECT_THAT(minimisedWhileShown, ElementsAre(false, false, false));
}

} // namespace
} // namespace tarvex::test
