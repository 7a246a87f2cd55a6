#include "app/Form1.h"
#include "tests/fakes/FakePlatform.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tarvex::test {
namespace {

using ::testing::IsEmpty;
using Entries = std::vector<std::string>;

constexpr const char* kListPath = "/games/tarvex/servers.cfg";

struct RemovalCase
{
    const char* name;
    Entries before;
    std::string chosen;
    Entries after;
    std::string chosenAfter;
};

TEST(ServerRemoval, RemovesExactlyTheChosenEntriesAndChoosesTheFirstLeft)
{
    const RemovalCase cases[] = {
        {"duplicates all go, order stays", {"a.b:1", "c.d:2", "a.b:1", "e.f:3", "a.b:1"}, "a.b:1",
         {"c.d:2", "e.f:3"}, "c.d:2"},
        {"the only entry", {"a.b:1"}, "a.b:1", {}, ""},
        {"every entry chosen", {"a.b:1", "a.b:1"}, "a.b:1", {}, ""},
        {"empty list", {}, "a.b:1", {}, ""},
        {"empty list, empty text", {}, "", {}, ""},
        {"no match", {"a.b:1", "c.d:2"}, "typed.but:never added", {"a.b:1", "c.d:2"}, "a.b:1"},
        {"empty text removes the empty entries", {"", "a.b:1", "", "c.d:2", ""}, "", {"a.b:1", "c.d:2"}, "a.b:1"},
        {"letter case and blanks count", {"A.b:1", "a.b:1", " a.b:1", "a.b:1 "}, "a.b:1",
         {"A.b:1", " a.b:1", "a.b:1 "}, "A.b:1"},
        {"entries next to one holding a bar", {"a|b", "c.d:2", "e|f|", "|g"}, "c.d:2", {"a|b", "e|f|", "|g"}, "a|b"},
        {"an entry holding a bar can be removed", {"a.b:1", "a|b", "c.d:2"}, "a|b", {"a.b:1", "c.d:2"}, "a.b:1"},
        {"empty entries before the first survivor go, later ones stay", {"", "a.b:1", "", "c.d:2", ""}, "x.y:3",
         {"a.b:1", "", "c.d:2", ""}, "a.b:1"},
        {"only empty entries survive", {"", "a.b:1", ""}, "a.b:1", {}, ""},
    };
    for (const auto& c : cases) {
        FakePlatform fake;
        Form1 form(fake.platform, UpdateHost{"u", 17500});
        form.Form_Load();
        form.replaceServers(c.before);
        auto& window = fake.windows.main();
        window.type(c.chosen);
        window.lines = {"previous result"};

        form.Command3_Click();

        EXPECT_EQ(form.servers(), c.after) << c.name;
        EXPECT_EQ(window.items, c.after) << c.name;
        EXPECT_EQ(form.serverBoxText(), c.chosenAfter) << c.name;
        EXPECT_THAT(window.lines, IsEmpty()) << c.name;
        EXPECT_THAT(fake.messages.shown, IsEmpty()) << c.name;
    }
}

TEST(ServerRemoval, ReachesTheFileOnlyWhenTheMainWindowCloses)
{
    FakePlatform fake;
    fake.files.files[kListPath] = "a.b:1\r\nc.d:2\r\nfoo|bar:3\r\n";
    Form1 form(fake.platform, UpdateHost{"u", 17500});
    form.Form_Load();
    fake.windows.main().pick(1);

    form.Command3_Click();
    EXPECT_EQ(fake.files.files[kListPath], "a.b:1\r\nc.d:2\r\nfoo|bar:3\r\n");
    EXPECT_EQ(fake.files.writeCount, 0);

    form.mnuExit_Click();
    EXPECT_EQ(fake.files.files[kListPath], "a.b:1\r\nfoo|bar:3\r\n");
}

} // namespace
} // namespace tarvex::test
