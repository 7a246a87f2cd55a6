#pragma once

#include <algorithm>
#include <string_view>

namespace tarvex {

// Equal but for the letter case of A to Z: notice keywords and web-address
// schemes are compared so; every other text of the launcher is compared exactly.
inline bool sameIgnoringCase(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) { return lower(x) == lower(y); });
}

} // namespace tarvex
