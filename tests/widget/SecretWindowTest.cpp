#include "platform/qt/QtSecretWindow.h"
#include "tests/widget/WidgetFixture.h"

#include <QLabel>

#include <gtest/gtest.h>

#include <iterator>

namespace tarvex {
namespace {

TEST(SecretWindowTest, CreditsStandInTheirLabelsAndFitThem)
{
    test::RecordingEvents events;
    QtSecretWindow window(events);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("You found a secret!"));
    EXPECT_EQ(window.size(), QSize(312, 184));

    struct Expected
    {
        const char* name;
        QRect pixels;
        Qt::Alignment alignment;
        bool wraps;
    };
    const Expected labels[] = {
        {"Label1", QRect(8, 8, 289, 17), Qt::AlignHCenter, false},
        {"Label2", QRect(8, 32, 289, 17), Qt::AlignLeft, false},
        {"Label4", QRect(8, 48, 297, 25), Qt::AlignHCenter, true},
        {"Label5", QRect(8, 80, 297, 17), Qt::AlignLeft, false},
        {"Label3", QRect(8, 104, 297, 41), Qt::AlignHCenter, true},
        {"Label6", QRect(8, 152, 297, 33), Qt::AlignHCenter, true},
    };
    for (std::size_t i = 0; i < std::size(labels); ++i) {
        const auto& expected = labels[i];
        const int roomBelow = i + 1 < std::size(labels) ? labels[i + 1].pixels.top() : window.height();
        auto* label = window.findChild<QLabel*>(QString::fromLatin1(expected.name));
        ASSERT_NE(label, nullptr) << expected.name;
        const QRect box = label->geometry();
        EXPECT_EQ(box.topLeft(), expected.pixels.topLeft()) << expected.name;
        EXPECT_EQ(box.width(), expected.pixels.width()) << expected.name;
        EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask, expected.alignment) << expected.name;
        EXPECT_EQ(label->wordWrap(), expected.wraps) << expected.name;
        EXPECT_FALSE(label->text().isEmpty()) << expected.name;
        // Nothing of the credits may be cut off with the font in use, and a
        // label grown for a taller face must not run into the next one.
        if (expected.wraps) {
            EXPECT_GE(box.height(), expected.pixels.height()) << expected.name;
            EXPECT_LE(label->heightForWidth(box.width()), box.height()) << expected.name;
            if (box.height() > expected.pixels.height()) {
                EXPECT_LE(box.bottom() + 1, roomBelow) << expected.name << " runs into the next label";
            }
        } else {
            EXPECT_EQ(box.height(), expected.pixels.height()) << expected.name;
            EXPECT_LE(label->sizeHint().width(), box.width()) << expected.name;
        }
    }
    EXPECT_TRUE(window.findChild<QLabel*>("Label1")->text().startsWith(QStringLiteral("Tarvex Game Launcher by ")));
    EXPECT_EQ(window.findChild<QLabel*>("Label2")->text(), QStringLiteral("Special thanks to:"));

    window.show();
    window.close();
    EXPECT_EQ(events.count("Form_Unload"), 1);
}

} // namespace
} // namespace tarvex
