#include "platform/qt/QtTickCounter.h"

#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace tarvex {
namespace {

TEST(TickCounter, CountsRealTimeFinerThanAMillisecond)
{
    QtTickCounter counter;
    const auto before = counter.microseconds();
    QTest::qSleep(30);
    EXPECT_GE(counter.microseconds() - before, 30000u);

    // A coarse counter moves in steps of 10 to 16 ms; a ping rounded to the
    // nearest millisecond needs steps well below one.
    std::uint64_t smallest = ~0ull;
    auto last = counter.microseconds();
    QElapsedTimer guard;
    guard.start();
    for (int steps = 0; steps < 20 && guard.elapsed() < 2000;) {
        const auto now = counter.microseconds();
        if (now != last) {
            smallest = std::min(smallest, now - last);
            last = now;
            ++steps;
        }
    }
    EXPECT_LT(smallest, 100u);
}

} // namespace
} // namespace tarvex
