#include "serverlist/ServerRemoval.h"
#include "tests/fakes/FakeWindowSystem.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tarvex::test {
namespace {

using ::testing::IsEmpty;
using Entries = std::vector<std::string>;

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
        {"duplicates all go, order stays",
         {"a.b:1", "c.d:2", "a.b:1", "e.f:3", "a.b:1"},
         "a.b:1",
         {"c.d:2", "e.f:3"},
         "c.d:2"},
        {"the only entry", {"a.b:1"}, "a.b:1", {}, ""},
        {"every entry chosen", {"a.b:1", "a.b:1"}, "a.b:1", {}, ""},
        {"empty list", {}, "a.b:1", {}, ""},
        {"empty list, empty text", {}, "", {}, ""},
        {"no match", {"a.b:1", "c.d:2"}, "typed.but:never added", {"a.b:1", "c.d:2"}, "a.b:1"},
        {"empty text removes the empty entries", {"", "a.b:1", "", "c.d:2", ""}, "", {"a.b:1", "c.d:2"}, "a.b:1"},
        {"letter case and blanks count",
         {"A.b:1", "a.b:1", " a.b:1", "a.b:1 "},
         "a.b:1",
         {"A.b:1", " a.b:1", "a.b:1 "},
         "A.b:1"},
        {"entries next to one holding a bar", {"a|b", "c.d:2", "e|f|", "|g"}, "c.d:2", {"a|b", "e|f|", "|g"}, "a|b"},
        {"an entry holding a bar can be removed", {"a.b:1", "a|b", "c.d:2"}, "a|b", {"a.b:1", "c.d:2"}, "a.b:1"},
        {"empty entries before the first survivor go, later ones stay",
         {"", "a.b:1", "", "c.d:2", ""},
         "x.y:3",
         {"a.b:1", "", "c.d:2", ""},
         "a.b:1"},
        {"only empty entries survive", {"", "a.b:1", ""}, "a.b:1", {}, ""},
    };
    for (const auto& c : cases) {
        ShownMainWindow main;
        FakeMainWindowView& window = main.view;
        main.state.replaceServers(c.before);
        window.text = c.chosen;
        window.lines = {"previous result"};

        removeChosenServer(main.state);

        EXPECT_EQ(window.items, c.after) << c.name;
        EXPECT_EQ(window.text, c.chosenAfter) << c.name;
        EXPECT_THAT(window.lines, IsEmpty()) << c.name;
    }
}

} // namespace
} // namespace tarvex::test
