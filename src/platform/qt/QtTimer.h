#pragma once

#include "platform/Timer.h"

#include <QTimer>

namespace tarvex {

class QtTimer final : public Timer
{
public:
    QtTimer();
    void start(int intervalMs, std::function<void()> tick) override;
    void stop() override;

private:
    QTimer m_timer;
    std::function<void()> m_tick;
};

} // namespace tarvex
