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

std::optional<std::uint64_t> lastArrivalAgeMicros(qintptr socketDescriptor)
{
    timespec stamp{};
    if (ioctl(static_cast<int>(socketDescriptor), SIOCGSTAMPNS, &stamp) != 0) {
        return std::nullopt;
    }
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const std::int64_t age
        = (static_cast<std::int64_t>(now.tv_sec) - stamp.tv_sec) * 1'000'000 + (now.tv_nsec - stamp.tv_nsec) / 1000;
    if (age < 0 || age > kLongestAgeMicros) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(age);
}

} // namespace tarvex
