#include "platform/qt/QtArrivalTime.h"

namespace tarvex {

// Winsock keeps no receive time for a datagram socket: the time of reading
// stands in for it.
void enableArrivalTimes(qintptr /*socketDescriptor*/)
{
}

std::optional<std::uint64_t> lastArrival(qintptr /*socketDescriptor*/, const TickCounter& /*clock*/)
{
    return std::nullopt;
}

} // namespace tarvex
