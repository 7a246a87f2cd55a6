#include "platform/qt/QtTimer.h"

namespace tarvex {

QtTimer::QtTimer()
{
    // A coarse timer may fire 5 % late; the time-out must land within 1100 ms.
    m_timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        if (m_tick) {
            m_tick();
        }
    });
}

void QtTimer::start(int intervalMs, std::function<void()> tick)
{
    m_tick = std::move(tick);
    m_timer.start(intervalMs);
}

void QtTimer::stop()
{
    m_timer.stop();
    m_tick = nullptr;
}

} // namespace tarvex
