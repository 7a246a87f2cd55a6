#pragma once

#include <functional>

namespace tarvex {

class Timer
{
public:
    virtual ~Timer() = default;
    // Calls tick on the GUI thread every intervalMs milliseconds until stop().
    virtual void start(int intervalMs, std::function<void()> tick) = 0;
    virtual void stop() = 0;
};

} // namespace tarvex
