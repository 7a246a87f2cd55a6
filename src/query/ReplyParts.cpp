#include "query/ReplyParts.h"

#include "platform/DatagramSocket.h"

#include <algorithm>
#include <string_view>

namespace tarvex {

namespace {

constexpr std::string_view kPartPrefix = "\xFF\xFF\xFF\xFFn";

} // namespace

ReplyParts::Reply ReplyParts::add(const Datagram& datagram, std::uint32_t ping, std::uint64_t query,
                                  std::uint16_t queriedPort)
{
    const std::string& bytes = datagram.bytes;
    if (query == 0 || datagram.fromPort != queriedPort || !bytes.starts_with(kPartPrefix)) {
        return {bytes, ping};
    }
    // The information line is a sequence of \key\value pairs.
    const bool carriesInfo = bytes.size() > kPartPrefix.size() && bytes[kPartPrefix.size()] == '\\';
    const bool continues = query == m_query && datagram.fromIp == m_fromIp && datagram.fromPort == m_fromPort
        && datagram.arrivalMicros >= m_lastArrival && datagram.arrivalMicros - m_lastArrival <= kWindowMicros
        && !(carriesInfo && !m_info.empty()) && m_players.size() + 1 < kMaxParts;
    if (!continues) {
        m_query = query;
        m_fromIp = datagram.fromIp;
        m_fromPort = datagram.fromPort;
        m_ping = ping;
        m_info.clear();
        m_players.clear();
    } else if (!carriesInfo && std::find(m_players.begin(), m_players.end(), bytes) != m_players.end()) {
        // A duplicated packet must not count its players twice.
        return {joined(), m_ping};
    }
    m_lastArrival = datagram.arrivalMicros;
    if (carriesInfo) {
        m_info = bytes;
    } else {
        m_players.push_back(bytes);
    }
    return {joined(), m_ping};
}

std::string ReplyParts::joined() const
{
    // The information part leads, so its line is the first line; the other
    // parts add their player lines without their prefix.
    auto part = m_players.begin();
    std::string text = m_info.empty() ? *part++ : m_info;
    for (; part != m_players.end(); ++part) {
        text.append(*part, kPartPrefix.size());
    }
    return text;
}

} // namespace tarvex
