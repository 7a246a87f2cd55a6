#pragma once

#include <cstdint>

namespace tarvex {

class TickCounter
{
public:
    virtual ~TickCounter() = default;
    // Milliseconds on a monotonic clock with millisecond resolution, wrapping
    // at 2^32. Only differences mean anything.
    virtual std::uint32_t ticks() const = 0;
};

} // namespace tarvex
