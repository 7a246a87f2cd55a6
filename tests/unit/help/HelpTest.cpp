#include "help/help.h"
#include "help/secret.h"
#include "tests/fakes/FakeServices.h"
#include "tests/fakes/FakeWindowSystem.h"
#include "text/Version.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <iterator>
#include <string>

namespace tarvex::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class HelpTest : public ::testing::Test
{
protected:
    FakeHelpWindow& openHelp()
    {
        helpWindow.open();
        return *windows.helps.back();
    }
    std::size_t secretsOpened() const { return windows.secrets.size(); }

    FakeWindowSystem windows;
    FakeUrlOpener urls;
    secret credits{windows};
    help helpWindow{windows, urls, credits};
};

TEST_F(HelpTest, AnyRunOfCodesAddingUpToTheCodeOpensTheSecretAtEnter)
{
    // Only the total counts: order, line feeds, Backspace and Escape alike.
    const std::string codes[] = {
        "zzzzzz\n",      // 6 * 122 + 10
        "\nzzzzzz",      // the same characters the other way round
        "eeeeeee\b\x1b", // 7 * 101 + 8 + 27
        "\x1b\beeeeeee",
    };
    for (std::size_t i = 0; i < std::size(codes); ++i) {
        FakeWindowSystem local;
        FakeUrlOpener localUrls;
        secret localCredits(local);
        help localHelp(local, localUrls, localCredits);
        localHelp.open();
        local.helps[0]->type(codes[i]);
        EXPECT_TRUE(local.secrets.empty()) << "opened before Enter, case " << i;
        local.helps[0]->pressEnter();
        ASSERT_EQ(local.secrets.size(), 1u) << "case " << i;
        EXPECT_TRUE(local.secrets[0]->shown);
    }
}

TEST_F(HelpTest, AWrongEnterClearsTheSum)
{
    auto& window = openHelp();
    window.type("zzzzzz"); // 732
    window.pressEnter();
    EXPECT_EQ(secretsOpened(), 0u);
    // Had the 732 been kept, these 10 would have completed the code.
    window.type("\n");
    window.pressEnter();
    EXPECT_EQ(secretsOpened(), 0u);

    window.type("zzzzzz\n");
    window.pressEnter();
    EXPECT_EQ(secretsOpened(), 1u);
}

TEST_F(HelpTest, EnterAsTheFirstKeyOpensNothing)
{
    openHelp().pressEnter();
    EXPECT_EQ(secretsOpened(), 0u);
    EXPECT_EQ(helpWindow.keySum(), 0);
}

TEST_F(HelpTest, ARightEnterKeepsTheSumSoTheSecretCanOpenAgain)
{
    auto& window = openHelp();
    window.type("zzzzzz\n");
    window.pressEnter();
    ASSERT_EQ(secretsOpened(), 1u);

    // While it is open, another Enter does not open a second one.
    window.pressEnter();
    EXPECT_EQ(secretsOpened(), 1u);

    windows.secrets[0]->close();
    window.pressEnter();
    ASSERT_EQ(secretsOpened(), 2u);
    EXPECT_TRUE(windows.secrets[1]->shown);

    // One more character moves the sum off the code; that Enter clears it.
    windows.secrets[1]->close();
    window.type("a");
    window.pressEnter();
    EXPECT_EQ(secretsOpened(), 2u);
    window.type("zzzzzz\n");
    window.pressEnter();
    EXPECT_EQ(secretsOpened(), 3u);
}

TEST_F(HelpTest, ClosingTheHelpWindowLeavesTheSecretOpen)
{
    auto& window = openHelp();
    window.type("zzzzzz\n");
    window.pressEnter();
    window.close();
    EXPECT_TRUE(windows.secrets[0]->open);
    openHelp(); // a new one: the closed window is forgotten
    EXPECT_EQ(windows.helps.size(), 2u);
}

TEST_F(HelpTest, TheSumWrapsAt16BitsInsteadOfOverflowing)
{
    auto& window = openHelp();
    window.events.Form_KeyPress(32767);
    window.events.Form_KeyPress(1);
    EXPECT_EQ(helpWindow.keySum(), -32768);

    // 65535 + 743 is 742 modulo 65536.
    window.pressEnter();
    window.events.Form_KeyPress(65535);
    window.events.Form_KeyPress(743);
    window.pressEnter();
    EXPECT_EQ(secretsOpened(), 1u);
    windows.secrets[0]->close();

    // Long typing wraps many times and still lands on the code: 1000 * 122
    // is 56464 modulo 65536, and 56464 + 9814 is 742 modulo 65536.
    window.type("a");
    window.pressEnter();
    EXPECT_EQ(helpWindow.keySum(), 0);
    window.type(std::string(1000, 'z'));
    window.events.Form_KeyPress(9814);
    window.pressEnter();
    EXPECT_EQ(secretsOpened(), 2u);
}

TEST_F(HelpTest, TheLinkOpensTheShownAddressOverHttpsThroughTheUrlOpener)
{
    auto& window = openHelp();
    EXPECT_EQ(window.version, std::string("Version ") + kVersion); // the build's
    EXPECT_EQ(window.website, "www.tarvex.example");
    EXPECT_EQ(window.ircHost, "irc.tarvex.example");
    EXPECT_THAT(urls.opened, IsEmpty());

    window.events.Label5_Click();
    EXPECT_THAT(urls.opened, ElementsAre("https://" + window.website));
}

TEST_F(HelpTest, TheSumSurvivesClosingAndReopeningTheHelpWindow)
{
    openHelp().type("zzz");
    helpWindow.open();
    ASSERT_EQ(windows.helps.size(), 1u);
    windows.helps[0]->close();

    auto& reopened = openHelp();
    ASSERT_EQ(windows.helps.size(), 2u);
    EXPECT_TRUE(reopened.shown);
    reopened.type("zzz\n");
    reopened.pressEnter();
    EXPECT_EQ(secretsOpened(), 1u);
}

} // namespace
} // namespace tarvex::test
