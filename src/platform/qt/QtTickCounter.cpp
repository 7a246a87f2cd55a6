#include "platform/qt/QtTickCounter.h"

namespace tarvex {

QtTickCounter::QtTickCounter()
{
    m_clock.start();
}

std::uint64_t QtTickCounter::microseconds() const
{
    return static_cast<std::uint64_t>(m_clock.nsecsElapsed() / 1000);
}

} // namespace tarvex
