#include "platform/qt/QtEditPathsWindow.h"
#include "tests/widget/WidgetFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace tarvex {
namespace {

using EditPathsWindowTest = test::WindowTest<QtEditPathsWindow>;

TEST_F(EditPathsWindowTest, ControlsStandWhereTheLayoutPutsThemWithTheirCaptions)
{
    struct Expected
    {
        const char* name;
        const char* caption;
        QRect pixels; // twips / 15, rounded
    };
    const Expected buttons[] = {
        {"Command1", "Browse...", QRect(328, 16, 81, 17)},
        {"Command2", "Browse...", QRect(328, 40, 81, 17)},
        {"Command3", "Done", QRect(8, 64, 193, 25)},
        {"Command4", "Cancel", QRect(216, 64, 193, 25)},
    };
    for (const auto& expected : buttons) {
        auto* button = child<QPushButton>(expected.name);
        ASSERT_NE(button, nullptr) << expected.name;
        EXPECT_EQ(button->text(), QString::fromLatin1(expected.caption)) << expected.name;
        EXPECT_EQ(button->geometry(), expected.pixels) << expected.name;
    }
    const Expected labels[] = {
        {"Label1", "Path", QRect(8, 0, 201, 17)},
        {"Label2", "Cmd Line Params", QRect(224, 0, 97, 17)},
    };
    for (const auto& expected : labels) {
        auto* label = child<QLabel>(expected.name);
        ASSERT_NE(label, nullptr) << expected.name;
        EXPECT_EQ(label->text(), QString::fromLatin1(expected.caption));
        EXPECT_EQ(label->geometry(), expected.pixels);
        EXPECT_TRUE(label->alignment() & Qt::AlignHCenter);
    }
    const Expected boxes[] = {
        {"Text1", "Regular client path", QRect(8, 16, 209, 19)},
        {"Text2", "GL client path", QRect(8, 40, 209, 19)},
        {"Text3", "Regular client parameters", QRect(224, 16, 97, 19)},
        {"Text4", "GL client parameters", QRect(224, 40, 97, 19)},
    };
    for (const auto& expected : boxes) {
        auto* box = child<QLineEdit>(expected.name);
        ASSERT_NE(box, nullptr) << expected.name;
        EXPECT_EQ(box->accessibleName(), QString::fromLatin1(expected.caption));
        EXPECT_EQ(box->geometry(), expected.pixels) << expected.name;
    }
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Edit Paths"));
    EXPECT_EQ(window->objectName(), QStringLiteral("editpaths"));
    EXPECT_EQ(window->size(), QSize(417, 96));
}

TEST_F(EditPathsWindowTest, TabVisitsPathsAndBrowseThenDoneAndCancelThenParameters)
{
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    window->activateWindow();
    child<QLineEdit>("Text1")->setFocus();

    std::vector<QString> visited;
    for (int i = 0; i < 8; ++i) {
        visited.push_back(QApplication::focusWidget()->objectName());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(
        visited,
        (std::vector<QString>{"Text1", "Command1", "Text2", "Command2", "Command3", "Command4", "Text3", "Text4"}));
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("Text1"));
}

TEST_F(EditPathsWindowTest, EnterAndEscapeDoNothingSpecial)
{
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    for (const char* name : {"Text1", "Text2", "Text3", "Text4"}) {
        auto* box = child<QLineEdit>(name);
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClick(box, Qt::Key_Enter);
        QTest::keyClick(box, Qt::Key_Escape);
    }
    EXPECT_TRUE(events.calls.empty());
    EXPECT_TRUE(window->isVisible());
    for (const char* name : {"Command1", "Command2", "Command3", "Command4"}) {
        auto* button = child<QPushButton>(name);
        EXPECT_FALSE(button->isDefault()) << name;
        EXPECT_FALSE(button->autoDefault()) << name;
    }
}

TEST_F(EditPathsWindowTest, ButtonsRaiseTheirHandlersAndTheCloseBoxUnloadsOnce)
{
    for (const char* name : {"Command1", "Command2", "Command3", "Command4"}) {
        QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton);
    }
    window->show();
    window->close();
    window->close();
    EXPECT_EQ(events.calls,
              (std::vector<std::string>{"Command1_Click", "Command2_Click", "Command3_Click", "Command4_Click",
                                        "Form_Unload"}));
}

TEST_F(EditPathsWindowTest, PathBoxesCarryFileNameBytesAndParameterBoxesOneBytePerCharacter)
{
    const std::string utf8Path = "/home/j\xC3\xB6rg/\xE6\x97\xA5\xE6\x9C\xAC/qf client";
    window->setText(PathsBox::RegularPath, utf8Path);
    EXPECT_EQ(child<QLineEdit>("Text1")->text(),
              QString::fromUtf8("/home/j\xC3\xB6rg/\xE6\x97\xA5\xE6\x9C\xAC/qf client"));
    EXPECT_EQ(window->text(PathsBox::RegularPath), utf8Path);

    child<QLineEdit>("Text2")->setText(QString::fromUtf8("/opt/caf\xC3\xA9/gl"));
    EXPECT_EQ(window->text(PathsBox::GlPath), "/opt/caf\xC3\xA9/gl");

    window->setText(PathsBox::RegularParameters, "+name \"J\xF6rg\"");
    EXPECT_EQ(child<QLineEdit>("Text3")->text(), QString::fromUtf8("+name \"J\xC3\xB6rg\""));
    EXPECT_EQ(window->text(PathsBox::RegularParameters), "+name \"J\xF6rg\"");
    window->setText(PathsBox::GlParameters, "");
    EXPECT_EQ(window->text(PathsBox::GlParameters), "");
    for (const auto box :
         {PathsBox::RegularPath, PathsBox::GlPath, PathsBox::RegularParameters, PathsBox::GlParameters}) {
        window->setText(box, "\nfirst line\r\nsecond");
        EXPECT_EQ(window->text(box), "first line") << static_cast<int>(box);
    }
}

} // namespace
} // namespace tarvex
