#pragma once

#include "query/ReplyParts.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvex {

class DatagramSocket;
class MainWindowState;
class MessageBox;
class TickCounter;
struct Datagram;

inline constexpr std::string_view kStatusQuery("\xFF\xFF\xFF\xFFstatus", 10);

// What the arrival handler found a datagram to be.
enum class DatagramKind {
    StatusReply, // or a part of one, or anything else that is no notice
    Other,       // an update notice, or empty
};

// The status exchange of the main window, from the Update button to the six
// lines of the result list: the one procedure that sends queries, the
// round-trip timing, the time-out, and the replies, put together from their
// parts and read. At most one query is outstanding; any arriving datagram
// ends the wait.
class StatusQuery
{
public:
    StatusQuery(MainWindowState& window, MessageBox& messages, const TickCounter& clock, DatagramSocket& socket);

    void Command2_Click();
    // Refuses while a query is outstanding; refuses with a message naming the
    // problem when the host is empty or the port is not 0 to 65535. Sends
    // nothing once the main window has closed: no answer could be shown.
    void QueryServer(const std::string& host, const std::string& port);
    void Timer1_Timer();

    // The arrival handler's one call for every datagram: it ends the wait,
    // the round trip taken at the datagram's arrival, and a status reply
    // replaces the result list with its six lines.
    void arrived(const Datagram& datagram, DatagramKind kind);

private:
    // Milliseconds from the moment the last status query left, after its name
    // lookup, to the arrival, rounded to the nearest millisecond; 0 while it
    // has not left yet or when the datagram was read before it left.
    std::uint32_t GetPing(std::uint64_t arrivalMicros) const;
    void sent(std::uint64_t query, std::uint64_t micros);
    void sendFailed(std::uint64_t query, const std::string& reason);

    MainWindowState& m_window;
    MessageBox& m_messages;
    const TickCounter& m_clock;
    DatagramSocket& m_socket;
    bool m_awaitingReply = false;
    // The time-out runs from the click, a slow name lookup included; the
    // ping from the moment the query left, which the lookup must not inflate.
    std::uint64_t m_askedMicros = 0;
    std::optional<std::uint64_t> m_sentMicros;
    std::uint16_t m_queriedPort = 0;
    // Numbers each query, so that a failure reported late for an earlier one
    // cannot end a newer one, and a reply's parts are told from the next's.
    std::uint64_t m_queryNumber = 0;
    ReplyParts m_parts;
};

} // namespace tarvex
