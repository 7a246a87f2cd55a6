#pragma once

#include "platform/Timer.h"

#include <chrono>
#include <vector>

namespace tarvex::bench {

// Passes the timer through and notes when each tick really ran.
class RecordingTimer final : public Timer
{
public:
    using Clock = std::chrono::steady_clock;

    explicit RecordingTimer(Timer& inner)
        : m_inner(inner)
    {
        m_ticks.reserve(1 << 16);
    }

    void start(int intervalMs, std::function<void()> tick) override
    {
        m_inner.start(intervalMs, [this, tick = std::move(tick)] {
            m_ticks.push_back(Clock::now());
            tick();
        });
    }

    void stop() override { m_inner.stop(); }

    const std::vector<Clock::time_point>& ticks() const { return m_ticks; }

private:
    Timer& m_inner;
    std::vector<Clock::time_point> m_ticks;
};

} // namespace tarvex::bench
