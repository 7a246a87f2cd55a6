#include "platform/qt/QtMainWindow.h"

#include <QTest>

#include <gtest/gtest.h>

namespace tarvex {
namespace {

class IgnoringEvents final : public MainWindowEvents
{
public:
    void Form_Unload() override {}
    void Combo1_Change() override {}
    void Option1_Click() override {}
    void Option2_Click() override {}
    void Command1_Click() override {}
    void Command2_Click() override {}
    void Command3_Click() override {}
    void Command4_Click() override {}
    void mnuEdit_Click() override {}
    void mnuHelpMe_Click() override {}
    void mnuExit_Click() override {}
};

TEST(MainWindowRestoreTest, RestoreUndoesMinimiseAndLeavesANormalWindowShown)
{
    IgnoringEvents events;
    QtMainWindow window(events);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    window.restore();
    EXPECT_FALSE(window.isMinimized());
    EXPECT_TRUE(window.isVisible());

    window.minimise();
    EXPECT_TRUE(window.isMinimized());
    window.restore();
    EXPECT_FALSE(window.isMinimized());
    EXPECT_TRUE(window.isVisible());
}

} // namespace
} // namespace tarvex
