#pragma once

#include "shared/FieldError.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvex {

// Field splitting shared by every text the launcher takes apart. An empty
// text has no fields; any other text with n separators has n + 1 fields, empty
// ones included. An empty separator does not cut. Matching is exact and
// case-sensitive, left to right, without overlaps. Field numbers are 1-based
// and, like the counts, signed 16-bit.

// Field foof of foo cut at sepertator. Throws FieldError OutOfRange when there
// is no such field (every number on an empty text, 0 and below, past the
// last) and Overflow for -32768.
std::string GetWords(std::string_view foo, std::int16_t foof, std::string_view sepertator);

// GetWords cut at the backslash.
std::string GetWord(std::string_view foo, std::int16_t foof);

// Number of fields of foo cut at mofo: 0 for the empty text. Throws FieldError
// Overflow above 32767.
std::int16_t TotalWords(std::string_view foo, std::string_view mofo);

// Number of line-feed-separated pieces of foo minus 2: for a status reply, the
// number of player lines; -1 for a text without a line feed, -2 for the empty
// text. Throws FieldError Overflow above 32767.
std::int16_t TheCount(std::string_view foo);

} // namespace tarvex
