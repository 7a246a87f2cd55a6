#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvex {

class DatagramSocket;
class MainWindow;
class MessageBox;
class TickCounter;

inline constexpr std::string_view kStatusQuery("\xFF\xFF\xFF\xFFstatus", 10);

// The status query of the main window: the Update button, the one procedure
// that sends queries, the round-trip timing and the time-out. At most one
// query is outstanding; any arriving datagram ends the wait.
class StatusQuery
{
public:
    StatusQuery(MainWindow& window, MessageBox& messages, const TickCounter& ticks, DatagramSocket& socket);

    void Command2_Click();
    // Refuses while a query is outstanding; refuses with a message naming the
    // problem when the host is empty or the port is not 0 to 65535.
    void QueryServer(const std::string& host, const std::string& port);
    void Timer1_Timer();

    // Milliseconds from the moment the last status query left, after its name
    // lookup, to the arrival, a time on the tick counter's microsecond clock,
    // rounded to the nearest millisecond; 0 while it has not left yet or when
    // the datagram was read before it left.
    std::uint32_t GetPing(std::uint64_t arrivalMicros);
    // Every arriving datagram, whatever it is, ends the wait and takes its
    // round-trip time here.
    void endWait(std::uint64_t arrivalMicros);

    bool sendingpacket() const { return m_sendingpacket; }
    std::uint32_t ping() const { return m_ping; }
    // Counts the queries sent: a reply in several datagrams belongs to one.
    std::uint64_t queryNumber() const { return m_queryNumber; }
    std::uint16_t queriedPort() const { return m_queriedPort; }

private:
    void sent(std::uint64_t query, std::uint64_t micros);
    void sendFailed(std::uint64_t query, const std::string& reason);

    MainWindow& m_window;
    MessageBox& m_messages;
    const TickCounter& m_ticks;
    DatagramSocket& m_socket;
    bool m_sendingpacket = false;
    // The time-out runs from the click, a slow name lookup included; the
    // ping from the moment the query left, which the lookup must not inflate.
    std::uint64_t m_askedMicros = 0;
    std::optional<std::uint64_t> m_sentMicros;
    std::uint16_t m_queriedPort = 0;
    std::uint32_t m_ping = 0;
    // Numbers each query so that a failure reported late for an earlier one
    // cannot end a newer one.
    std::uint64_t m_queryNumber = 0;
};

} // namespace tarvex
