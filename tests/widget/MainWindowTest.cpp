#include "platform/qt/QtMainWindow.h"
#include "tests/widget/WidgetFixture.h"

#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace tarvex {
namespace {

using MainWindowTest = test::WindowTest<QtMainWindow>;

TEST_F(MainWindowTest, ControlsStandWhereTheLayoutPutsThemWithTheirCaptions)
{
    struct Expected
    {
        const char* name;
        const char* caption;
        QRect pixels; // twips / 15
    };
    const Expected buttons[] = {
        {"Command2", "Update", QRect(8, 3, 57, 21)},
        {"Command1", "Add Server", QRect(8, 136, 81, 25)},
        {"Command3", "Remove Server", QRect(96, 136, 89, 25)},
        {"Command4", "Join Server", QRect(192, 136, 81, 25)},
    };
    for (const auto& expected : buttons) {
        auto* button = child<QPushButton>(expected.name);
        ASSERT_NE(button, nullptr) << expected.name;
        EXPECT_EQ(button->text(), QString::fromLatin1(expected.caption));
        EXPECT_EQ(button->geometry(), expected.pixels) << expected.name;
    }
    EXPECT_EQ(window->windowTitle(), QStringLiteral("The Tarvex Game Launcher"));
    EXPECT_EQ(child<QComboBox>("Combo1")->geometry(), QRect(72, 3, 201, 21));
    EXPECT_EQ(child<QListWidget>("List1")->geometry(), QRect(8, 32, 265, 82));
    EXPECT_EQ(child<QRadioButton>("Option1")->text(), QStringLiteral("Regular Tarvex"));
    EXPECT_EQ(child<QRadioButton>("Option2")->text(), QStringLiteral("GL Enhanced Tarvex"));
    EXPECT_TRUE(child<QRadioButton>("Option1")->isChecked());
    EXPECT_EQ(window->centralWidget()->size(), QSize(281, 166));
}

TEST_F(MainWindowTest, MenusHoldTheirCommandsWithoutAccessKeys)
{
    const auto menus = window->menuBar()->actions();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("File"));
    EXPECT_EQ(menus[1]->text(), QStringLiteral("Help"));
    const auto file = menus[0]->menu()->actions();
    ASSERT_EQ(file.size(), 2);
    EXPECT_EQ(file[0]->text(), QStringLiteral("Advanced"));
    EXPECT_EQ(file[0]->menu()->actions().at(0)->text(), QStringLiteral("Edit Paths"));
    EXPECT_EQ(file[1]->text(), QStringLiteral("Exit"));
    EXPECT_EQ(menus[1]->menu()->actions().at(0)->text(), QStringLiteral("Help me!"));

    file[0]->menu()->actions().at(0)->trigger();
    menus[1]->menu()->actions().at(0)->trigger();
    file[1]->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(events.calls, (std::vector<std::string>{"mnuEdit_Click", "mnuHelpMe_Click", "mnuExit_Click"}));
}

TEST_F(MainWindowTest, TabOrderFollowsTheTabIndexAndStartsOnAddServer)
{
    const char* order[] = {"Command1", "List1", "Combo1", "Command2", "Command3", "Command4", "Option1", "Option2"};
    QWidget* current = child<QWidget>(order[0]);
    for (std::size_t i = 1; i < std::size(order); ++i) {
        current = current->nextInFocusChain();
        // The combo box's line edit is a focus proxy inside it.
        while (current->parentWidget() != window->centralWidget()) {
            current = current->nextInFocusChain();
        }
        EXPECT_EQ(current->objectName(), QString::fromLatin1(order[i]));
    }
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    EXPECT_EQ(QApplication::focusWidget(), child<QWidget>("Command1"));
}

TEST_F(MainWindowTest, TypingRaisesTheChangeButPickingAndCodeDoNot)
{
    window->setComboItems({"a.b:1", "c.d:2"});
    window->setComboText("typed");
    EXPECT_EQ(window->comboText(), "typed");

    auto* combo = child<QComboBox>("Combo1");
    combo->setCurrentIndex(1);
    EXPECT_EQ(window->comboText(), "c.d:2");
    EXPECT_TRUE(events.calls.empty());

    QTest::keyClicks(combo->lineEdit(), "x");
    EXPECT_EQ(events.calls, std::vector<std::string>{"Combo1_Change"});
    // Enter never turns the typed text into an entry.
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(combo->count(), 2);
}

TEST_F(MainWindowTest, AddingEntriesKeepsTheTypedText)
{
    window->setComboText("half typed");
    window->addComboItem("a.b:1");
    window->setComboItems({"c.d:2", "e.f:3"});
    EXPECT_EQ(window->comboText(), "half typed");
    EXPECT_EQ(child<QComboBox>("Combo1")->count(), 2);
}

TEST_F(MainWindowTest, TextsAreOneBytePerCharacter)
{
    window->setComboText("\xe9t\xe9.fr:1");
    EXPECT_EQ(window->comboText(), "\xe9t\xe9.fr:1");
    child<QComboBox>("Combo1")->setEditText(QString::fromUtf8("\xe2\x82\xac.eu:1")); // the euro sign
    EXPECT_EQ(window->comboText(), "?.eu:1");
    child<QComboBox>("Combo1")->setEditText(QString::fromUtf8("\xf0\x9f\x98\x80.eu:1")); // an emoji: two UTF-16 units
    EXPECT_EQ(window->comboText(), "?.eu:1");
    window->addListLine("Hostname: \xff");
    EXPECT_EQ(child<QListWidget>("List1")->item(0)->text(), QString(QChar(0xff)).prepend("Hostname: "));
}

TEST_F(MainWindowTest, TheServerBoxKeepsTheFirstLineOfWhatArrives)
{
    struct Case
    {
        const char* before;
        int selectFrom, selectLength; // what the arriving text replaces
        const char* arriving;
        const char* after;
    };
    const Case cases[] = {
        {"", 0, 0, "127.0.0.1:58103\n", "127.0.0.1:58103"},
        {"", 0, 0, "a.example:1\r\nb.example:2", "a.example:1"},
        {"", 0, 0, "\r\n\nlate.example:3\nmore", "late.example:3"},
        {"old.example:1", 0, 13, "new.example:2\r", "new.example:2"},
        {"a.b:1", 0, 0, "a\nzz", "aa.b:1"}, // begins with what follows the cursor
        {"ab:1", 1, 0, "x\ny", "axb:1"},
        {"ab:1", 1, 0, "\n", "ab:1"},
    };
    auto* edit = child<QComboBox>("Combo1")->lineEdit();
    for (const auto& c : cases) {
        window->setComboText(c.before);
        edit->setSelection(c.selectFrom, c.selectLength);
        QGuiApplication::clipboard()->setText(QString::fromLatin1(c.arriving));
        edit->paste();
        EXPECT_EQ(window->comboText(), c.after) << c.arriving;
    }
    // An accessibility tool inserts text; the program sets it.
    auto* accessible = QAccessible::queryAccessibleInterface(edit)->editableTextInterface();
    accessible->insertText(0, QStringLiteral("z.example:4\n"));
    EXPECT_EQ(window->comboText(), "z.example:4ab:1");
    window->setComboText("c.example:5\r\n");
    EXPECT_EQ(window->comboText(), "c.example:5");
}

TEST_F(MainWindowTest, OptionsAreOneGroupAndOnlyPlayerClicksAreReported)
{
    window->setOption1Selected(false);
    EXPECT_FALSE(window->option1Selected());
    EXPECT_TRUE(child<QRadioButton>("Option2")->isChecked());
    EXPECT_TRUE(events.calls.empty());
    child<QRadioButton>("Option1")->click();
    EXPECT_TRUE(window->option1Selected());
    EXPECT_EQ(events.calls, std::vector<std::string>{"Option1_Click"});
}

TEST_F(MainWindowTest, ScreenReadersGetANameForEveryControl)
{
    for (const char* name : {"Command1", "Command2", "Command3", "Command4", "Option1", "Option2", "Combo1", "List1"}) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(child<QWidget>(name));
        ASSERT_NE(accessible, nullptr) << name;
        EXPECT_FALSE(accessible->text(QAccessible::Name).isEmpty()) << name;
    }
}

TEST_F(MainWindowTest, ClosingIsReportedOnce)
{
    window->show();
    window->close();
    window->close();
    EXPECT_EQ(events.calls, std::vector<std::string>{"Form_Unload"});
}

} // namespace
} // namespace tarvex
