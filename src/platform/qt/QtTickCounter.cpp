#include "platform/qt/QtTickCounter.h"

namespace tarvex {

QtTickCounter::QtTickCounter()
{
    m_clock.start();
}

std::uint32_t QtTickCounter::ticks() const
{
    // Milliseconds since the launcher started; only differences matter, and
    // they are taken modulo 2^32.
    return static_cast<std::uint32_t>(m_clock.elapsed());
}

} // namespace tarvex
