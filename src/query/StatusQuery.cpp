#include "query/StatusQuery.h"

#include "app/Form1.h"
#include "query/Fields.h"
#include "query/PortText.h"
#include "serverlist/ServerAddress.h"

#include <algorithm>

namespace tarvex {

namespace {
constexpr std::uint32_t kTimeoutMs = 1000;
}

StatusQuery::StatusQuery(Form1& form)
    : m_form(form)
{
}

void StatusQuery::Command2_Click()
{
    auto& messages = m_form.platform().messages;
    const std::string entry = m_form.serverBoxText();
    if (entry.empty()) {
        messages.show("You must select a server first from the drop-down box.", kLauncherTitle);
        return;
    }
    if (!looksLikeServerAddress(entry)) {
        messages.show("Invalid Server Address", kLauncherTitle);
        return;
    }
    const auto& servers = m_form.servers();
    if (std::find(servers.begin(), servers.end(), entry) == servers.end()) {
        m_form.appendServer(entry);
    }
    // The entry holds a ":", so fields 1 and 2 both exist; further ones are ignored.
    QueryServer(GetWords(entry, 1, ":"), GetWords(entry, 2, ":"));
}

void StatusQuery::QueryServer(const std::string& host, const std::string& port)
{
    auto& messages = m_form.platform().messages;
    if (m_sendingpacket) {
        messages.show(kPleaseWait, kLauncherTitle);
        return;
    }
    if (host.empty()) {
        messages.show("The server address has no host name before the \":\".", kLauncherTitle);
        return;
    }
    const auto portNumber = parsePort(port);
    if (!portNumber) {
        messages.show("The port \"" + port + "\" is not a whole number from 0 to 65535.", kLauncherTitle);
        return;
    }

    m_sendingpacket = true;
    m_sentAny = true;
    m_queriedPort = *portNumber;
    const auto query = ++m_queryNumber;
    // Taken right before the send, which leaves at once for an address; for
    // a host name the round trip includes the name lookup.
    m_sendMicros = m_form.platform().ticks.microseconds();
    m_sendticks = static_cast<std::uint32_t>(m_sendMicros / 1000);
    m_form.platform().socket.send(host, *portNumber, std::string(kStatusQuery, 10),
                                  [this, query](const std::string& reason) { sendFailed(query, reason); });
}

void StatusQuery::sendFailed(std::uint64_t query, const std::string& reason)
{
    if (query != m_queryNumber || !m_sendingpacket) {
        return;
    }
    m_sendingpacket = false;
    m_form.clearResults();
    m_form.addResultLine("Could not send the query: " + reason);
}

void StatusQuery::Timer1_Timer()
{
    if (!m_sendingpacket) {
        return;
    }
    const std::uint32_t elapsed = m_form.platform().ticks.ticks() - m_sendticks;
    if (elapsed < kTimeoutMs) {
        return;
    }
    m_sendingpacket = false;
    m_form.clearResults();
    m_form.addResultLine(kNoResponse);
}

std::uint32_t StatusQuery::GetPing(std::uint64_t arrivalMicros)
{
    m_endMicros = arrivalMicros;
    if (!m_sentAny || m_endMicros < m_sendMicros) {
        return 0;
    }
    return static_cast<std::uint32_t>((m_endMicros - m_sendMicros + 500) / 1000);
}

void StatusQuery::endWait(std::uint64_t arrivalMicros)
{
    m_sendingpacket = false;
    m_ping = GetPing(arrivalMicros);
}

} // namespace tarvex
