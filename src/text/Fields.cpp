#include "text/Fields.h"

#include <algorithm>

namespace tarvex {

Fields::Fields(std::string_view text, std::string_view separator)
{
    if (text.empty()) {
        return;
    }
    if (separator.empty()) {
        m_fields.push_back(text);
        return;
    }
    if (separator.size() == 1) {
        // Counted first so that a hostile datagram packed with separators
        // costs one allocation, not a growing vector's many.
        m_fields.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), separator[0])) + 1);
    }
    std::size_t start = 0;
    for (auto at = text.find(separator); at != std::string_view::npos; at = text.find(separator, start)) {
        m_fields.push_back(text.substr(start, at - start));
        start = at + separator.size();
    }
    m_fields.push_back(text.substr(start));
}

std::optional<std::string> GetWords(std::string_view text, std::int16_t index, std::string_view separator)
{
    if (index < 1) {
        return std::nullopt;
    }
    const auto field = Fields(text, separator).GetWord(static_cast<std::size_t>(index));
    return field ? std::optional<std::string>(*field) : std::nullopt;
}

bool sameIgnoringCase(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) { return lower(x) == lower(y); });
}

std::int64_t TheCount(std::string_view text)
{
    if (text.empty()) {
        return -2;
    }
    return static_cast<std::int64_t>(std::count(text.begin(), text.end(), '\n')) - 1;
}

} // namespace tarvex
