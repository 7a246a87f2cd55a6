#include "text/PortText.h"

#include <string_view>

namespace tarvex {

std::optional<std::uint16_t> parsePort(const std::string& text)
{
    constexpr std::string_view kBlanks = " \t";
    const std::string_view all(text);
    const auto first = all.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    const auto digits = all.substr(first, all.find_last_not_of(kBlanks) - first + 1);
    unsigned value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<unsigned>(c - '0');
        if (value > 65535) {
            return std::nullopt;
        }
    }
    return static_cast<std::uint16_t>(value);
}

} // namespace tarvex
