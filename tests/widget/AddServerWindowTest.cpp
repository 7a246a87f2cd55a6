#include "platform/qt/QtAddServerWindow.h"
#include "tests/widget/WidgetFixture.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace tarvex {
namespace {

class AddServerWindowTest : public test::WindowTest<QtAddServerWindow>
{
protected:
    void showActive()
    {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    std::vector<std::string> keyPresses(std::initializer_list<int> codes)
    {
        std::vector<std::string> calls;
        for (int code : codes) {
            calls.push_back("Form_KeyPress " + std::to_string(code));
        }
        return calls;
    }
};

TEST_F(AddServerWindowTest, ControlsStandWhereTheLayoutPutsThemWithTheirCaptions)
{
    struct Expected
    {
        const char* name;
        const char* caption;
        QRect pixels; // twips / 15, rounded
    };
    const Expected captioned[] = {
        {"Label1", "IP:", QRect(16, 11, 33, 17)},
        {"Label2", "Port: ", QRect(16, 35, 41, 17)},
        {"Command1", "Ok", QRect(16, 56, 73, 17)},
        {"Command2", "Cancel", QRect(104, 56, 73, 17)},
    };
    for (const auto& expected : captioned) {
        auto* widget = child<QWidget>(expected.name);
        ASSERT_NE(widget, nullptr) << expected.name;
        const auto* label = qobject_cast<QLabel*>(widget);
        const auto* button = qobject_cast<QPushButton*>(widget);
        EXPECT_EQ(label ? label->text() : button->text(), QString::fromLatin1(expected.caption)) << expected.name;
        EXPECT_EQ(widget->geometry(), expected.pixels) << expected.name;
    }
    EXPECT_EQ(child<QLineEdit>("Text1")->geometry(), QRect(56, 8, 121, 19));
    EXPECT_EQ(child<QLineEdit>("Text2")->geometry(), QRect(56, 32, 121, 19));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("AddServer"));
    EXPECT_EQ(window->objectName(), QStringLiteral("AddServer"));
    EXPECT_EQ(window->size(), QSize(194, 81));
    EXPECT_FALSE(child<QPushButton>("Command1")->isDefault());
    EXPECT_FALSE(child<QPushButton>("Command2")->isDefault());
}

TEST_F(AddServerWindowTest, FocusStartsOnTheHostAndTabsThroughPortOkCancel)
{
    showActive();
    EXPECT_EQ(QApplication::focusWidget(), child<QWidget>("Text1"));
    const char* order[] = {"Text2", "Command1", "Command2", "Text1"};
    for (const char* name : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
    }
    EXPECT_EQ(child<QLabel>("Label1")->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(child<QLabel>("Label2")->focusPolicy(), Qt::NoFocus);
}

TEST_F(AddServerWindowTest, EnterInAFieldOrOnOkAcceptsAndOnCancelCancels)
{
    showActive();
    for (const char* name : {"Text1", "Text2", "Command1"}) {
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            events.calls.clear();
            QTest::keyClick(child<QWidget>(name), key);
            EXPECT_EQ(events.calls, keyPresses({13})) << name;
        }
    }
    events.calls.clear();
    QTest::keyClick(child<QWidget>("Command2"), Qt::Key_Return);
    EXPECT_EQ(events.calls, std::vector<std::string>{"Command2_Click"});
}

TEST_F(AddServerWindowTest, TypedCharactersArePreviewedAndStillReachTheField)
{
    showActive();
    auto* text1 = child<QLineEdit>("Text1");
    QTest::keyClicks(text1, "a.B");
    EXPECT_EQ(events.calls, keyPresses({'a', '.', 'B'}));
    EXPECT_EQ(window->text1(), "a.B");

    // A character typed on a button is previewed once, not again when the
    // button passes it on.
    events.calls.clear();
    QTest::keyClick(child<QWidget>("Command1"), Qt::Key_X);
    EXPECT_EQ(events.calls, keyPresses({'x'}));
}

TEST_F(AddServerWindowTest, EscapeDoesNothingAnywhere)
{
    showActive();
    window->setText1("host");
    for (const char* name : {"Text1", "Text2", "Command1", "Command2"}) {
        QTest::keyClick(child<QWidget>(name), Qt::Key_Escape);
    }
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_TRUE(events.calls.empty());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->text1(), "host");
}

TEST_F(AddServerWindowTest, ButtonsReportTheirClicksAndTheCloseBoxUnloadsOnce)
{
    showActive();
    QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>("Command2"), Qt::LeftButton);
    window->close();
    window->close();
    EXPECT_EQ(events.calls, (std::vector<std::string>{"Command1_Click", "Command2_Click", "Form_Unload"}));
}

TEST_F(AddServerWindowTest, FieldsHoldOneBytePerCharacterAndHaveTheirLabelsAsNames)
{
    window->setText1("\xe9t\xe9.fr");
    window->setText2(" 27500 ");
    EXPECT_EQ(window->text1(), "\xe9t\xe9.fr");
    EXPECT_EQ(window->text2(), " 27500 ");
    child<QLineEdit>("Text1")->setText(QString::fromUtf8("\xe2\x82\xac.eu")); // the euro sign
    EXPECT_EQ(window->text1(), "?.eu");
    // Single-line boxes: a text with line breaks keeps its first line.
    window->setText1("127.0.0.1\n");
    window->setText2("27500\r\n1");
    EXPECT_EQ(window->text1() + ":" + window->text2(), "127.0.0.1:27500");

    const std::pair<const char*, const char*> names[] = {{"Text1", "IP"}, {"Text2", "Port"}};
    for (const auto& [name, accessibleName] : names) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(child<QWidget>(name));
        ASSERT_NE(accessible, nullptr) << name;
        EXPECT_EQ(accessible->text(QAccessible::Name), QString::fromLatin1(accessibleName)) << name;
    }
}

} // namespace
} // namespace tarvex
