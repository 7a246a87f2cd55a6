#include "query/PortText.h"

namespace tarvex {

std::optional<std::uint16_t> parsePort(const std::string& text)
{
    if (text.empty()) {
        return std::nullopt;
    }
    unsigned value = 0;
    for (const char c : text) {
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
