#include "platform/qt/QtMessageBox.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>

namespace tarvex {
namespace {

constexpr int kBoxDeadlineMs = 10000;

struct SeenBox
{
    QString title;
    QString text;
    QRect geometry;
    QRect okButton; // on the screen
    QAccessible::Role role = QAccessible::NoRole;
};

// Shows the text as a notice and, from inside the box's own event loop,
// notes what the player would see and presses OK.
SeenBox showAndPressOk(const std::string& text)
{
    SeenBox seen;
    QTimer::singleShot(0, [&seen] {
        QWidget* box = nullptr;
        const bool shown = QTest::qWaitFor(
            [&box] {
                box = QApplication::activeModalWidget();
                return box != nullptr && box->isVisible();
            },
            kBoxDeadlineMs);
        ASSERT_TRUE(shown);
        QPushButton* ok = nullptr;
        for (auto* button : box->findChildren<QPushButton*>()) {
            if (button->text() == QStringLiteral("OK") || button->text() == QStringLiteral("&OK")) {
                ok = button;
            }
        }
        ASSERT_NE(ok, nullptr);
        seen.title = box->windowTitle();
        seen.geometry = box->frameGeometry();
        seen.okButton = QRect(ok->mapToGlobal(QPoint(0, 0)), ok->size());
        seen.role = QAccessible::queryAccessibleInterface(box)->role();
        // A box that scrolls gives its text to screen readers as the description.
        const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        seen.text = label != nullptr ? label->text() : box->accessibleDescription();
        ok->click();
    });
    QtMessageBox().show(text, "Updates");
    return seen;
}

TEST(MessageBoxTest, EveryNoticeFitsTheScreenWithItsWholeTextAndOkInView)
{
    const std::string lineFeeds = " " + std::string(65507 - 7, '\n');
    const std::string oneLine(65507 - 7, 'w');
    std::string manyLines;
    for (int i = 0; i < 400; ++i) {
        manyLines += " line " + std::to_string(i) + "\n";
    }
    const std::string cases[] = {" A new version is out.\nGet it from the website.", lineFeeds, oneLine, manyLines};
    const QRect screen = QApplication::primaryScreen()->availableGeometry();
    for (const auto& text : cases) {
        const SeenBox seen = showAndPressOk(text);
        EXPECT_EQ(seen.title, QStringLiteral("Updates"));
        EXPECT_EQ(seen.text, QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())))
            << text.size() << " characters";
        EXPECT_TRUE(screen.contains(seen.geometry)) << text.size() << " characters";
        EXPECT_TRUE(screen.contains(seen.okButton)) << text.size() << " characters";
        EXPECT_EQ(seen.role, QAccessible::AlertMessage);
    }
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
} // namespace tarvex
