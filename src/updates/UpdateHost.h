#pragma once

#include <cstdint>
#include <string>

namespace tarvex {

inline constexpr const char* kDefaultUpdateHost = "updates.tarvex.net";
inline constexpr std::uint16_t kUpdatePort = 17500;

// Where the update query goes. The launcher has no setting for it; the
// environment variable TARVEX_UPDATE_HOST replaces it for tests and private
// installs.
struct UpdateHost
{
    std::string host;
    std::uint16_t port = kUpdatePort;
};

// value is the environment variable's text, or null when it is not set: "host"
// or "host:port". Unset, empty or unusable (no host, a port that is not 1 to
// 65535) gives the built-in host, so a typo never stops the launcher.
UpdateHost updateHostFrom(const char* value);

} // namespace tarvex
