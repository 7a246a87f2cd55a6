#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvex {

inline constexpr std::size_t kHostNameShown = 42;

// Where the reply came from and how long it took, as the socket and the
// query timing report them.
struct ReplySource
{
    std::string ip;
    std::uint16_t port = 0;
    std::uint32_t ping = 0;
};

using StatusLines = std::array<std::string, 6>;

// The six result lines for a reply as received, whose line feeds cut fields
// as backslashes do. The last field "hostname" and the last field "map" decide
// their values (empty when such a key ends the reply or is missing); a host
// name over 42 characters is cut and marked with "...". Players are the lines
// after the first, counted in full: no reply a datagram can hold overflows
// the count. Linear in the reply's length.
StatusLines dostuff(std::string_view reply, const ReplySource& source);

} // namespace tarvex
