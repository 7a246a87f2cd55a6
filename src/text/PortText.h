#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tarvex {

// A port text as the player types it: decimal digits, 0 to 65535, with any
// spaces and tabs before and after them ("27500 " is 27500), as the number
// conversion players have always had allows. Anything else ("", " ",
// "27.500", "+1", "2 7", "70000") gives nothing.
std::optional<std::uint16_t> parsePort(const std::string& text);

} // namespace tarvex
