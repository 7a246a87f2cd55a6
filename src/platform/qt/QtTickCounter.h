#pragma once

#include "platform/TickCounter.h"

#include <QElapsedTimer>

namespace tarvex {

// Milliseconds of the system's monotonic clock, not a 10-16 ms coarse counter.
class QtTickCounter final : public TickCounter
{
public:
    QtTickCounter();
    std::uint32_t ticks() const override;

private:
    QElapsedTimer m_clock;
};

} // namespace tarvex
