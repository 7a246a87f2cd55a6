#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarvex {

struct Datagram;

// A QuakeWorld server sends a long status reply (many players, long names)
// as several datagrams, each starting again with FF FF FF FF "n": one
// carries the server information line, the others player lines only. This
// puts the parts of one reply back together, so the reply is read whole.
class ReplyParts
{
public:
    // Parts of one reply leave the server back to back; on arrival they are
    // this close together, or they belong to different replies.
    static constexpr std::uint64_t kWindowMicros = 50'000;
    // No real reply needs more; a sender cannot make the text grow for ever.
    static constexpr std::size_t kMaxParts = 16;

    struct Reply
    {
        std::string text;   // to be read as one status reply
        std::uint32_t ping; // the round trip to its first part
    };

    // Takes a datagram bound for the reply parser, the round trip measured
    // for it, and the query it may answer (number 0: none sent yet). A part
    // joins the reply before it when it comes from the same sender, on the
    // port the query went to, for the same query, within the window after the
    // previous part, and the two do not both carry server information (a
    // second whole reply starts afresh). An exact copy of a player part is
    // dropped. Anything else is a reply of its own, as it stands.
    Reply add(const Datagram& datagram, std::uint32_t ping, std::uint64_t query, std::uint16_t queriedPort);

private:
    std::string joined() const;

    std::uint64_t m_query = 0;
    std::string m_fromIp;
    std::uint16_t m_fromPort = 0;
    std::uint64_t m_lastArrival = 0;
    std::uint32_t m_ping = 0;
    std::string m_info;                 // the part with the server information, once it came
    std::vector<std::string> m_players; // the parts with player lines only, as they came
};

} // namespace tarvex
