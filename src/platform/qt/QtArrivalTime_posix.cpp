#include "platform/qt/QtArrivalTime.h"

#include <linux/sockios.h>
#include <sys/ioctl.h>

#include <ctime>

namespace tarvex {

namespace {
// Past this the stamp is not trusted: the wall clock the kernel stamps with
// may have been stepped in between.
constexpr std::int64_t kLongestAgeMicros = 1'000'000;
} // namespace

void enableArrivalTimes(qintptr socketDescriptor)
{
    // The first request switches the socket's receive stamps on; it fails
    // itself, as nothing has been received yet.
    timespec stamp{};
    ioctl(static_cast<int>(socketDescriptor), SIOCGSTAMPNS, &stamp);
}

std::optional<std::uint64_t> lastArrival(qintptr socketDescriptor, const TickCounter& clock)
{
    timespec stamp{};
    if (ioctl(static_cast<int>(socketDescriptor), SIOCGSTAMPNS, &stamp) != 0) {
        return std::nullopt;
    }
    // The kernel stamps with the wall clock: its age is taken against a wall
    // clock reading right beside the reading of the launcher's clock, so a
    // wait for the CPU between the two cannot make the arrival early.
    const std::uint64_t now = clock.microseconds();
    timespec wall{};
    clock_gettime(CLOCK_REALTIME, &wall);
    const std::int64_t age
        = (static_cast<std::int64_t>(wall.tv_sec) - stamp.tv_sec) * 1'000'000 + (wall.tv_nsec - stamp.tv_nsec) / 1000;
    if (age < 0 || age > kLongestAgeMicros || static_cast<std::uint64_t>(age) > now) {
        return std::nullopt;
    }
    return now - static_cast<std::uint64_t>(age);
}

} // namespace tarvex
