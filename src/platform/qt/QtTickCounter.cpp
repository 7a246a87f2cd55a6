#include "platform/qt/QtTickCounter.h"

namespace tarvex {

QtTickCounter::QtTickCounter()
{
    m_clock.start();
}

std::uint32_t QtTickCounter::ticks() const
{
    // QElapsedTimer's reference is arbitrary; only differences matter, and
    // they are taken modulo 2^32.
    return static_cast<std::uint32_t>(m_clock.msecsSinceReference());
}

} // namespace tarvex
