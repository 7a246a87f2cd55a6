#include "platform/qt/QtMainWindow.h"
#include "tests/widget/WidgetFixture.h"

#include <QTest>

#include <gtest/gtest.h>

namespace tarvex {
namespace {

TEST(MainWindowRestoreTest, RestoreUndoesMinimiseAndLeavesANormalWindowShown)
{
    test::RecordingEvents events;
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
