#include "launch/editpaths.h"
#include "tests/fakes/FakeServices.h"
#include "tests/fakes/FakeWindowSystem.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tarvex::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Writes = std::vector<std::pair<std::string, std::string>>;

constexpr const char* kExeFilter = "Executable Files | *.exe";

class EditPathsTest : public ::testing::Test
{
protected:
    EditPathsTest() { settings.setClients(); }
    FakeEditPathsWindow& window() { return *windows.editPaths.back(); }
    void open()
    {
        dialog.open();
        settings.reads.clear();
    }

    FakeWindowSystem windows;
    FakeSettingsStore settings;
    FakeFileDialog fileDialog;
    editpaths dialog{windows, settings, fileDialog};
};

TEST_F(EditPathsTest, OpeningFillsTheBoxesInOrderAndShowsTheWindow)
{
    settings.values.erase({settings::kApplication, settings::kSection, "GL Quake CMD"});
    dialog.open();

    EXPECT_THAT(settings.reads,
                ElementsAre("Regular Quake Path", "GL Quake Path", "Regular Quake CMD", "GL Quake CMD"));
    EXPECT_THAT(window().texts, ElementsAre(kRegular, kGl, "-regular", ""));
    EXPECT_TRUE(window().shown);
}

TEST_F(EditPathsTest, OpeningAgainWhileOpenKeepsTheOneWindowAndItsEdits)
{
    open();
    window().setText(PathsBox::RegularParameters, "edited");
    dialog.open();
    EXPECT_EQ(windows.editPaths.size(), 1u);
    EXPECT_EQ(window().texts[2], "edited");
    EXPECT_THAT(settings.reads, IsEmpty());
}

TEST_F(EditPathsTest, DoneStoresAllFourUnchangedInOrderAndCloses)
{
    open();
    window().texts = {" /new path/client ", "", "+name \"Big Joe\"", ""};
    dialog.Command3_Click();

    EXPECT_EQ(settings.writes,
              (Writes{{"Regular Quake Path", " /new path/client "},
                      {"GL Quake Path", ""},
                      {"Regular Quake CMD", "+name \"Big Joe\""},
                      {"GL Quake CMD", ""}}));
    EXPECT_FALSE(window().open);

    dialog.open();
    EXPECT_EQ(windows.editPaths.size(), 2u);
    EXPECT_THAT(window().texts, ElementsAre(" /new path/client ", "", "+name \"Big Joe\"", ""));
}

TEST_F(EditPathsTest, CancelAndTheCloseBoxStoreNothingAndReopeningShowsTheStoredValues)
{
    for (const bool useCloseBox : {false, true}) {
        open();
        window().texts = {"a", "b", "c", "d"};
        if (useCloseBox) {
            window().closeWindow();
        } else {
            dialog.Command4_Click();
        }
        EXPECT_THAT(settings.writes, IsEmpty());

        dialog.open();
        EXPECT_THAT(window().texts, ElementsAre(kRegular, kGl, "-regular", "-gl"));
        dialog.Command4_Click();
    }
}

TEST_F(EditPathsTest, ConfirmedBrowseSetsItsOwnRowAndCancelledBrowseLeavesEveryBoxAlone)
{
    open();
    fileDialog.answers = {std::nullopt, "/opt/quake/qf-client-win.exe", std::nullopt, "/opt/quake/gl client.exe"};

    dialog.Command1_Click(); // cancelled before anything was chosen
    EXPECT_THAT(window().texts, ElementsAre(kRegular, kGl, "-regular", "-gl"));

    dialog.Command1_Click();
    EXPECT_EQ(window().texts[0], "/opt/quake/qf-client-win.exe");

    dialog.Command2_Click(); // cancelled after the regular row chose a file
    EXPECT_EQ(window().texts[1], kGl);

    dialog.Command2_Click();
    EXPECT_THAT(window().texts,
                ElementsAre("/opt/quake/qf-client-win.exe", "/opt/quake/gl client.exe", "-regular", "-gl"));

    // Nothing reaches the settings before Done.
    EXPECT_THAT(settings.writes, IsEmpty());
}

TEST_F(EditPathsTest, DialogOffersTheLastConfirmedNameAndTheFilterOnlyAfterTheRegularBrowse)
{
    open();
    fileDialog.answers = {"/opt/gl.exe", std::nullopt, "/opt/win.exe", std::nullopt};
    dialog.Command2_Click();
    dialog.Command2_Click();
    dialog.Command1_Click();
    dialog.Command2_Click();

    const auto& calls = fileDialog.calls;
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].filter, "");
    EXPECT_EQ(calls[0].initialName, "");
    EXPECT_EQ(calls[1].filter, "");
    EXPECT_EQ(calls[1].initialName, "/opt/gl.exe");
    EXPECT_EQ(calls[2].filter, kExeFilter);
    EXPECT_EQ(calls[2].initialName, "/opt/gl.exe");
    EXPECT_EQ(calls[3].filter, kExeFilter);
    EXPECT_EQ(calls[3].initialName, "/opt/win.exe");

    // A fresh window gets a fresh dialog: no filter, no remembered name.
    dialog.Command4_Click();
    open();
    dialog.Command2_Click();
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[4].filter, "");
    EXPECT_EQ(calls[4].initialName, "");
}

} // namespace
} // namespace tarvex::test
