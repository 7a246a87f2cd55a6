#include "platform/qt/QtHelpWindow.h"
#include "tests/widget/WidgetFixture.h"

#include <QKeyEvent>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace tarvex {
namespace {

class HelpWindowTest : public test::WindowTest<QtHelpWindow>
{
protected:
    HelpWindowTest() { window->setTexts("Version 1.1", "www.tarvex.example", "irc.tarvex.example"); }
    void typeText(const QString& text)
    {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
        QApplication::sendEvent(window, &press);
    }
};

TEST_F(HelpWindowTest, LabelsStandWhereTheLayoutPutsThemInLightGreyOverThePicture)
{
    struct Expected
    {
        const char* name;
        const char* caption;
        QRect pixels; // twips / 15
        Qt::Alignment alignment;
    };
    const Expected labels[] = {
        {"Label6", "Tarvex Game Launcher", QRect(0, 8, 297, 17), Qt::AlignHCenter},
        {"Label7", "Version 1.1", QRect(0, 40, 297, 17), Qt::AlignHCenter},
        {"Label4", "Things not working correctly? Go here for help:", QRect(24, 136, 265, 17), Qt::AlignHCenter},
        {"Label5", "www.tarvex.example", QRect(88, 152, 134, 17), Qt::AlignHCenter},
        {"Label1", "IRC:", QRect(16, 176, 265, 17), Qt::AlignLeft},
        {"Label2", "irc.tarvex.example", QRect(48, 176, 185, 17), Qt::AlignHCenter},
        {"Label3", "#TarvexHelp", QRect(216, 176, 65, 17), Qt::AlignRight},
    };
    EXPECT_EQ(window->windowTitle(), QStringLiteral("How can I get help?"));
    EXPECT_EQ(window->size(), QSize(299, 194));
    for (const auto& expected : labels) {
        auto* found = child<QLabel>(expected.name);
        ASSERT_NE(found, nullptr) << expected.name;
        EXPECT_EQ(found->text(), QString::fromLatin1(expected.caption)) << expected.name;
        EXPECT_EQ(found->alignment() & Qt::AlignHorizontal_Mask, expected.alignment) << expected.name;
        EXPECT_FALSE(found->autoFillBackground()) << expected.name;
        // The designed box where the face lets the caption fit it (Windows'
        // own, Wine 8's); a wider face (Wine 10's "MS Sans Serif") widens the
        // label about its alignment, on the designed line, inside the window.
        const QRect box = found->geometry();
        if (found->sizeHint().width() <= expected.pixels.width()) {
            EXPECT_EQ(box, expected.pixels) << expected.name;
        } else {
            EXPECT_GE(box.width(), found->sizeHint().width()) << expected.name << " is cut off";
            EXPECT_EQ(box.top(), expected.pixels.top()) << expected.name;
            EXPECT_EQ(box.height(), expected.pixels.height()) << expected.name;
            EXPECT_GE(box.left(), 0) << expected.name;
            EXPECT_LE(box.right(), window->width() - 1) << expected.name;
            if (expected.alignment == Qt::AlignHCenter) {
                EXPECT_NEAR(box.center().x(), expected.pixels.center().x(), 1) << expected.name;
            } else if (expected.alignment == Qt::AlignRight) {
                EXPECT_EQ(box.right(), expected.pixels.right()) << expected.name;
            } else {
                EXPECT_EQ(box.left(), expected.pixels.left()) << expected.name;
            }
        }
        if (QByteArray(expected.name) != "Label5") {
            EXPECT_EQ(found->palette().color(QPalette::WindowText), QColor(224, 224, 224)) << expected.name;
        }
    }
}

TEST_F(HelpWindowTest, ACaptionTooWideForItsLabelWidensAboutItsAlignmentWithinTheWindow)
{
    window->setTexts("Version 1.1", "help.for.the.tarvex.launcher.example",
                     "irc.a.rather.long.network.name.tarvex.example");
    for (const char* name : {"Label5", "Label2"}) {
        auto* found = child<QLabel>(name);
        const QRect box = found->geometry();
        EXPECT_GE(box.width(), std::min(found->sizeHint().width(), window->width())) << name;
        EXPECT_GE(box.left(), 0) << name;
        EXPECT_LE(box.right(), window->width() - 1) << name;
    }
    // Centred captions stay centred where the window leaves room.
    EXPECT_NEAR(child<QLabel>("Label5")->geometry().center().x(), QRect(88, 152, 134, 17).center().x(), 1);

    // Back to short captions, the layout's own places return.
    window->setTexts("Version 1.1", "a.example", "b.example");
    EXPECT_EQ(child<QLabel>("Label5")->geometry(), QRect(88, 152, 134, 17));
    EXPECT_EQ(child<QLabel>("Label2")->geometry(), QRect(48, 176, 185, 17));
}

TEST_F(HelpWindowTest, PictureShowsUnscaledFromTheTopLeftAndThroughTheLabels)
{
    const QImage picture(QStringLiteral(":/tarvex/help.gif"));
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(320, 200));

    window->show();
    const QImage shown = window->grab().toImage();
    ASSERT_EQ(shown.size(), QSize(299, 194));
    // Corners and edges, plus spots inside labels but clear of their text.
    const QPoint spots[] = {{0, 0}, {298, 0}, {0, 193}, {298, 193}, {150, 100}, {2, 12}, {290, 44}, {20, 190}};
    for (const QPoint& spot : spots) {
        EXPECT_EQ(shown.pixelColor(spot), picture.pixelColor(spot)) << spot.x() << "," << spot.y();
    }
}

TEST_F(HelpWindowTest, LinkIsBlueUnderlinedAndOpensOnlyOnAClickOverIt)
{
    auto* link = child<QLabel>("Label5");
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_TRUE(link->font().underline());
    EXPECT_EQ(link->font().families().value(0), QStringLiteral("MS Sans Serif"));
    EXPECT_DOUBLE_EQ(link->font().pointSizeF(), 9.75);

    window->show();
    QTest::mouseClick(child<QLabel>("Label4"), Qt::LeftButton);
    QTest::mouseClick(link, Qt::RightButton);
    EXPECT_EQ(events.count("Label5_Click"), 0);
    // Pressed on the link, released away from it: no click.
    QTest::mousePress(link, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseRelease(link, Qt::LeftButton, Qt::NoModifier, QPoint(-40, 5));
    EXPECT_EQ(events.count("Label5_Click"), 0);
    QTest::mouseClick(link, Qt::LeftButton);
    EXPECT_EQ(events.count("Label5_Click"), 1);
}

TEST_F(HelpWindowTest, NoControlTakesTheFocus)
{
    for (auto* child : window->findChildren<QWidget*>()) {
        EXPECT_EQ(child->focusPolicy(), Qt::NoFocus) << child->objectName().toStdString();
    }
}

TEST_F(HelpWindowTest, EveryTypedCharacterReachesTheWindowAsItsCode)
{
    window->show();
    QTest::keyClicks(window, QStringLiteral("Tx"));
    QTest::keyClick(window, Qt::Key_Return);
    QTest::keyClick(window, Qt::Key_Enter);
    QTest::keyClick(window, Qt::Key_Backspace);
    QTest::keyClick(window, Qt::Key_Escape);
    QTest::keyClick(window, Qt::Key_Tab);
    EXPECT_EQ(events.codes, (std::vector<int>{'T', 'x', 13, 13, 8, 27, 9}));
    // Escape and Enter leave the window open.
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(events.count("Form_Unload"), 0);

    events.codes.clear();
    // Keys without a character add nothing; a shifted key counts as its
    // character alone.
    QTest::keyPress(window, Qt::Key_Shift);
    QTest::keyClick(window, 'A', Qt::ShiftModifier);
    QTest::keyRelease(window, Qt::Key_Shift);
    QTest::keyClick(window, Qt::Key_Left);
    QTest::keyClick(window, Qt::Key_F1);
    EXPECT_EQ(events.codes, (std::vector<int>{'A'}));

    events.codes.clear();
    typeText(QString::fromUtf8("\xc3\xa9"));         // e acute, a Latin-1 character
    typeText(QString::fromUtf8("\xe2\x82\xac"));     // the euro sign, beyond one byte
    typeText(QString::fromUtf8("\xf0\x9f\x8e\xae")); // two UTF-16 units, one character
    EXPECT_EQ(events.codes, (std::vector<int>{0xE9, '?', '?'}));
}

TEST_F(HelpWindowTest, ClosingReportsTheUnloadOnce)
{
    window->show();
    window->close();
    window->close();
    EXPECT_EQ(events.count("Form_Unload"), 1);
}

} // namespace
} // namespace tarvex
