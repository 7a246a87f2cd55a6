#pragma once

#include <string>

namespace tarvex {

// The one check Update and Join Server make of a server address: at least
// one "." and at least one ":", anywhere and in any order.
inline bool looksLikeServerAddress(const std::string& address)
{
    return address.find(':') != std::string::npos && address.find('.') != std::string::npos;
}

} // namespace tarvex
