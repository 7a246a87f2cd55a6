#pragma once

#include "platform/TickCounter.h"

#include <QtGlobal>

#include <cstdint>
#include <optional>

namespace tarvex {

// The kernel's own receive time of the datagram last read from a socket, on
// the clock given, where the system keeps one. A window that was busy for a
// few milliseconds then still measures the round trip to the real arrival.
void enableArrivalTimes(qintptr socketDescriptor);
std::optional<std::uint64_t> lastArrival(qintptr socketDescriptor, const TickCounter& clock);

} // namespace tarvex
