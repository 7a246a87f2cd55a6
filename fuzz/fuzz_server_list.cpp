// Any servers.cfg loads, saves, and loads again to the same non-empty entries.

#include "serverlist/ServerListFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const auto entries = tarvex::serverlistfile::parse(bytes);

    std::vector<std::string> kept;
    for (const auto& entry : entries) {
        if (entry.find_first_of("\r\n") != std::string::npos) {
            std::abort(); // a line end inside an entry
        }
        if (!entry.empty()) {
            kept.push_back(entry);
        }
    }
    const auto saved = tarvex::serverlistfile::serialize(entries);
    if (tarvex::serverlistfile::parse(saved) != kept) {
        std::abort(); // saving lost or changed an entry
    }
    if (tarvex::serverlistfile::serialize(kept) != saved) {
        std::abort();
    }
    return 0;
}
