#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

// Field splitting shared by every text the launcher takes apart. An empty
// text has no fields; any other text with n separators has n + 1 fields, empty
// ones included. An empty separator does not cut. Matching is exact and
// case-sensitive, left to right, without overlaps. Field numbers are 1-based.
// Asking for a field that is not there (0 and below, past the last, any field
// of the empty text) gives no field, never an empty one: the caller can tell.

// A text cut into its fields once, so that reading field after field stays
// linear however long the text. Views into the text, which must outlive it.
class Fields
{
public:
    Fields(std::string_view text, std::string_view separator);

    // The number of fields. Not narrowed to 16 bits: a datagram cannot hold
    // a text whose fields overflow it.
    std::size_t TotalWords() const { return m_fields.size(); }
    [[nodiscard]] std::optional<std::string_view> GetWord(std::size_t index) const
    {
        if (index < 1 || index > m_fields.size()) {
            return std::nullopt;
        }
        return m_fields[index - 1];
    }

private:
    std::vector<std::string_view> m_fields;
};

[[nodiscard]] std::optional<std::string> GetWords(std::string_view text, std::int16_t index,
                                                  std::string_view separator);

// Equal but for the letter case of A to Z: notice keywords and web-address
// schemes are compared so; every other text of the launcher exactly.
bool sameIgnoringCase(std::string_view a, std::string_view b);

// Line-feed-separated pieces minus 2: for a status reply, the number of player
// lines; -1 for a text without a line feed, -2 for the empty text. Wide
// enough for any text.
std::int64_t TheCount(std::string_view text);

} // namespace tarvex
