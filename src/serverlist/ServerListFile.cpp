#include "serverlist/ServerListFile.h"

namespace tarvex::serverlistfile {

std::vector<std::string> parse(const std::string& bytes)
{
    std::vector<std::string> entries;
    std::string::size_type start = 0;
    const auto size = bytes.size();
    while (start < size) {
        const auto end = bytes.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            entries.emplace_back(bytes, start);
            break;
        }
        entries.emplace_back(bytes, start, end - start);
        start = end + 1;
        if (bytes[end] == '\r' && start < size && bytes[start] == '\n') {
            ++start;
        }
    }
    return entries;
}

std::string serialize(const std::vector<std::string>& entries)
{
    std::string bytes;
    for (const auto& entry : entries) {
        if (!entry.empty()) {
            bytes += entry;
            bytes += "\r\n";
        }
    }
    return bytes;
}

} // namespace tarvex::serverlistfile
