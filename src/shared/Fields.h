#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

// Field splitting shared by every text the launcher takes apart. An empty
// text has no fields; any other text with n separators has n + 1 fields, empty
// ones included. An empty separator does not cut. Matching is exact and
// case-sensitive, left to right, without overlaps. Field numbers are 1-based.

// A text cut into its fields once, so that reading field after field stays
// linear however long the text. Views into the text, which must outlive it.
class Fields
{
public:
    Fields(std::string_view text, std::string_view separator);

    std::size_t count() const { return m_fields.size(); }
    // Field i; empty for 0 and past the last, so a key that ends the text
    // has an empty value.
    std::string_view operator[](std::size_t i) const
    {
        return i >= 1 && i <= m_fields.size() ? m_fields[i - 1] : std::string_view();
    }

private:
    std::vector<std::string_view> m_fields;
};

// Field foof of foo cut at sepertator, reading only as far as that field;
// empty, like Fields, for 0 and below and past the last.
std::string GetWords(std::string_view foo, std::int16_t foof, std::string_view sepertator);

// Number of line-feed-separated pieces of foo minus 2: for a status reply, the
// number of player lines; -1 for a text without a line feed, -2 for the empty
// text. Wide enough for any text.
std::int64_t TheCount(std::string_view foo);

} // namespace tarvex
