#include "platform/qt/QtTickCounter.h"

#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace tarvex {
namespace {

TEST(TickCounter, CountsRealMillisecondsOneAtATime)
{
    QtTickCounter counter;
    const auto before = counter.ticks();
    QTest::qSleep(30);
    EXPECT_GE(counter.ticks() - before, 30u);

    // A coarse counter moves in steps of 10 to 16 ms; this one must step by 1.
    std::uint32_t smallest = ~0u;
    auto last = counter.ticks();
    QElapsedTimer guard;
    guard.start();
    for (int steps = 0; steps < 20 && guard.elapsed() < 2000;) {
        const auto now = counter.ticks();
        if (now != last) {
            smallest = std::min(smallest, now - last);
            last = now;
            ++steps;
        }
    }
    EXPECT_EQ(smallest, 1u);
}

} // namespace
} // namespace tarvex
