#include "shared/Fields.h"

#include <limits>

namespace tarvex {

namespace {

constexpr auto kMaxCount = std::numeric_limits<std::int16_t>::max();

// Counts the fields without building them, stopping once the count no longer
// fits so that a huge text is not scanned to its end for nothing.
std::size_t countFields(std::string_view text, std::string_view separator, std::size_t limit)
{
    if (text.empty()) {
        return 0;
    }
    if (separator.empty()) {
        return 1;
    }
    std::size_t count = 1;
    for (auto at = text.find(separator); at != std::string_view::npos && count <= limit;
         at = text.find(separator, at + separator.size())) {
        ++count;
    }
    return count;
}

} // namespace

std::string GetWords(std::string_view foo, std::int16_t foof, std::string_view sepertator)
{
    if (foof == std::numeric_limits<std::int16_t>::min()) {
        throw FieldError(FieldError::Kind::Overflow, "field number overflows");
    }
    const int index = foof - 1;
    if (index < 0 || foo.empty()) {
        throw FieldError(FieldError::Kind::OutOfRange, "no such field");
    }
    if (sepertator.empty()) {
        if (index != 0) {
            throw FieldError(FieldError::Kind::OutOfRange, "no such field");
        }
        return std::string(foo);
    }
    std::size_t start = 0;
    for (int skipped = 0; skipped < index; ++skipped) {
        const auto at = foo.find(sepertator, start);
        if (at == std::string_view::npos) {
            throw FieldError(FieldError::Kind::OutOfRange, "no such field");
        }
        start = at + sepertator.size();
    }
    const auto end = foo.find(sepertator, start);
    return std::string(foo.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
}

std::string GetWord(std::string_view foo, std::int16_t foof)
{
    return GetWords(foo, foof, "\\");
}

std::int16_t TotalWords(std::string_view foo, std::string_view mofo)
{
    const auto count = countFields(foo, mofo, kMaxCount);
    if (count > static_cast<std::size_t>(kMaxCount)) {
        throw FieldError(FieldError::Kind::Overflow, "field count overflows");
    }
    return static_cast<std::int16_t>(count);
}

std::int16_t TheCount(std::string_view foo)
{
    // Pieces minus 2 must stay within 32767, so at most 32769 pieces.
    const auto pieces = countFields(foo, "\n", kMaxCount + 2);
    if (pieces > static_cast<std::size_t>(kMaxCount) + 2) {
        throw FieldError(FieldError::Kind::Overflow, "line count overflows");
    }
    return static_cast<std::int16_t>(static_cast<int>(pieces) - 2);
}

} // namespace tarvex
