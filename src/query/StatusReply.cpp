#include "query/StatusReply.h"

#include <algorithm>
#include <cstdint>

namespace tarvex {

namespace {

std::string shownHostName(std::string_view name)
{
    if (name.size() <= kHostNameShown) {
        return std::string(name);
    }
    std::string shown(name.substr(0, kHostNameShown));
    shown += "...";
    return shown;
}

// Line-feed-separated pieces minus 2, the player count of a status reply.
std::int64_t playerLines(std::string_view reply)
{
    if (reply.empty()) {
        return -2;
    }
    const auto feeds = std::count(reply.begin(), reply.end(), '\n');
    return static_cast<std::int64_t>(feeds) - 1;
}

} // namespace

StatusLines dostuff(std::string_view income, std::string_view incomming, const ReplySource& source)
{
    // One pass over the backslash-separated fields. A field equal to a key
    // makes the next field that key's value; every field is also looked at as
    // a key itself, so later matches win.
    std::string_view hostName;
    std::string_view mapName;
    bool nextIsHostName = false;
    bool nextIsMap = false;
    if (!income.empty()) {
        std::size_t start = 0;
        for (;;) {
            const auto end = income.find('\\', start);
            const auto field = income.substr(start, end == std::string_view::npos ? std::string_view::npos
                                                                                   : end - start);
            if (nextIsHostName) {
                hostName = field;
            }
            if (nextIsMap) {
                mapName = field;
            }
            nextIsHostName = field == "hostname";
            nextIsMap = field == "map";
            if (end == std::string_view::npos) {
                break;
            }
            start = end + 1;
        }
    }
    // A key with no field after it has an empty value.
    if (nextIsHostName) {
        hostName = {};
    }
    if (nextIsMap) {
        mapName = {};
    }

    return StatusLines{
        "Hostname: " + shownHostName(hostName),
        "Ip: " + source.ip,
        "Port: " + std::to_string(source.port),
        "Players: " + std::to_string(playerLines(incomming)),
        "Map: " + std::string(mapName),
        "Ping: " + std::to_string(source.ping),
    };
}

} // namespace tarvex
