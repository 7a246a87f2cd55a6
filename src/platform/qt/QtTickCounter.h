#pragma once

#include "platform/TickCounter.h"

#include <QElapsedTimer>

namespace tarvex {

// The system's monotonic clock in microseconds (nanoseconds underneath), not
// a 10-16 ms coarse counter: a ping is rounded to the nearest millisecond.
class QtTickCounter final : public TickCounter
{
public:
    QtTickCounter();
    std::uint64_t microseconds() const override;

private:
    QElapsedTimer m_clock;
};

} // namespace tarvex
