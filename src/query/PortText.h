#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tarvex {

// A port text as the player types it: decimal digits only, 0 to 65535.
// Anything else ("", "27.500", "+1", " 1", "70000") gives nothing.
std::optional<std::uint16_t> parsePort(const std::string& text);

} // namespace tarvex
