#include "query/StatusReply.h"

#include "text/Fields.h"

#include <algorithm>

namespace tarvex {

namespace {

std::string shownHostName(std::string_view name)
{
    if (name.size() <= kHostNameShown) {
        return std::string(name);
    }
    return std::string(name.substr(0, kHostNameShown)) + "...";
}

} // namespace

StatusLines dostuff(std::string_view reply, const ReplySource& source)
{
    std::string oneLine(reply);
    std::replace(oneLine.begin(), oneLine.end(), '\n', '\\');
    // Every field is looked at as a key; later matches win. A key that ends
    // the reply has no value field: its value is then empty.
    const Fields words(oneLine, "\\");
    std::string_view hostName;
    std::string_view mapName;
    for (std::size_t i = 1; i <= words.TotalWords(); ++i) {
        const auto word = words.GetWord(i);
        if (word == "map") {
            mapName = words.GetWord(i + 1).value_or("");
        }
        if (word == "hostname") {
            hostName = words.GetWord(i + 1).value_or("");
        }
    }

    return StatusLines{
        "Hostname: " + shownHostName(hostName), "Ip: " + source.ip,
        "Port: " + std::to_string(source.port), "Players: " + std::to_string(TheCount(reply)),
        "Map: " + std::string(mapName),         "Ping: " + std::to_string(source.ping),
    };
}

} // namespace tarvex
