#pragma once

#include <cstdint>

namespace tarvex {

class TickCounter
{
public:
    virtual ~TickCounter() = default;
    // Microseconds on a monotonic clock; only differences mean anything.
    // Round trips are measured on it, so it must be finer than a millisecond.
    virtual std::uint64_t microseconds() const = 0;
};

} // namespace tarvex
