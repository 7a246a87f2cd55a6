#pragma once

#include <string>
#include <vector>

namespace tarvex {

inline constexpr const char* kServerListFileName = "servers.cfg";

// servers.cfg holds one server address per line, one byte per character.
namespace serverlistfile {

// Every line is an entry, empty ones included. A line ends at CR LF, a lone CR
// or a lone LF (lists edited on Linux must not collapse into one entry); a
// last line without a terminator is an entry too. No limit on the count.
std::vector<std::string> parse(const std::string& bytes);

// Each non-empty entry followed by CR LF, in list order; empty entries are
// dropped, so an empty list gives zero bytes.
std::string serialize(const std::vector<std::string>& entries);

} // namespace serverlistfile
} // namespace tarvex
