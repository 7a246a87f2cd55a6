#include "query/StatusQuery.h"

#include "platform/DatagramSocket.h"
#include "platform/MessageBox.h"
#include "platform/TickCounter.h"
#include "query/StatusReply.h"
#include "state/MainWindowState.h"
#include "text/Fields.h"
#include "text/PortText.h"
#include "text/ServerAddress.h"
#include "text/Titles.h"

namespace tarvex {

namespace {
constexpr std::uint64_t kTimeoutMicros = 1'000'000;
}

StatusQuery::StatusQuery(MainWindowState& window, MessageBox& messages, const TickCounter& clock,
                         DatagramSocket& socket)
    : m_window(window)
    , m_messages(messages)
    , m_clock(clock)
    , m_socket(socket)
{
}

void StatusQuery::Command2_Click()
{
    const std::string entry = m_window.serverBoxText();
    if (entry.empty()) {
        m_messages.show("You must select a server first from the drop-down box.", kLauncherTitle);
        return;
    }
    if (!looksLikeServerAddress(entry)) {
        m_messages.show("Invalid Server Address", kLauncherTitle);
        return;
    }
    m_window.addIfNotListed(entry);
    // The entry holds a ":", so fields 1 and 2 both exist; further ones are ignored.
    QueryServer(GetWords(entry, 1, ":").value_or(""), GetWords(entry, 2, ":").value_or(""));
}

void StatusQuery::QueryServer(const std::string& host, const std::string& port)
{
    if (!m_window.isOpen()) {
        return;
    }
    if (m_awaitingReply) {
        m_messages.show("Please wait for a response from the current server before trying to ping another...",
                        kLauncherTitle);
        return;
    }
    if (host.empty()) {
        m_messages.show("The server address has no host name before the \":\".", kLauncherTitle);
        return;
    }
    const auto portNumber = parsePort(port);
    if (!portNumber) {
        m_messages.show("The port \"" + port + "\" is not a whole number from 0 to 65535.", kLauncherTitle);
        return;
    }

    m_awaitingReply = true;
    m_queriedPort = *portNumber;
    const auto query = ++m_queryNumber;
    m_askedMicros = m_clock.microseconds();
    m_sentMicros.reset();
    m_socket.send(
        host, *portNumber, std::string(kStatusQuery), [this, query](std::uint64_t micros) { sent(query, micros); },
        [this, query](const std::string& reason) { sendFailed(query, reason); });
}

void StatusQuery::sent(std::uint64_t query, std::uint64_t micros)
{
    // Also when a notice ended the wait during the lookup: the reply that
    // follows is still timed from here.
    if (query == m_queryNumber) {
        m_sentMicros = micros;
    }
}

void StatusQuery::sendFailed(std::uint64_t query, const std::string& reason)
{
    if (query != m_queryNumber || !m_awaitingReply) {
        return;
    }
    m_awaitingReply = false;
    m_window.clearResults();
    m_window.addResultLine("Could not send the query: " + reason);
}

void StatusQuery::Timer1_Timer()
{
    if (!m_awaitingReply || m_clock.microseconds() - m_askedMicros < kTimeoutMicros) {
        return;
    }
    m_awaitingReply = false;
    m_window.clearResults();
    m_window.addResultLine("No response from server...");
}

std::uint32_t StatusQuery::GetPing(std::uint64_t arrivalMicros) const
{
    if (!m_sentMicros || arrivalMicros < *m_sentMicros) {
        return 0;
    }
    return static_cast<std::uint32_t>((arrivalMicros - *m_sentMicros + 500) / 1000);
}

void StatusQuery::arrived(const Datagram& datagram, DatagramKind kind)
{
    m_awaitingReply = false;
    const std::uint32_t ping = GetPing(datagram.arrivalMicros);
    if (kind != DatagramKind::StatusReply) {
        return;
    }
    const auto reply = m_parts.add(datagram, ping, m_queryNumber, m_queriedPort);
    const auto lines = dostuff(reply.text, ReplySource{datagram.fromIp, datagram.fromPort, reply.ping});
    m_window.clearResults();
    for (const auto& line : lines) {
        m_window.addResultLine(line);
    }
}

} // namespace tarvex
