#pragma once

#include <string>

namespace tarvex {

// The one check Update and Join Server make of a server address: at least
// one "." and at least one ":", anywhere and in any order.
bool looksLikeServerAddress(const std::string& address);

} // namespace tarvex
