#include "updates/ReplyDispatcher.h"

#include "platform/DatagramSocket.h"
#include "platform/MessageBox.h"
#include "platform/TickCounter.h"
#include "platform/UrlOpener.h"
#include "platform/WebAddress.h"
#include "query/StatusQuery.h"
#include "text/Fields.h"

#include <algorithm>

namespace tarvex {

namespace {

constexpr const char* kUpdateQuery = "Updates?";
constexpr std::uint64_t kWebsiteQuietMicros = 10'000'000;

std::string_view trimmed(std::string_view text)
{
    constexpr std::string_view kBlank = " \t\r\n";
    text.remove_prefix(std::min(text.size(), text.find_first_not_of(kBlank)));
    return text.substr(0, text.find_last_not_of(kBlank) + 1);
}

} // namespace

ReplyDispatcher::ReplyDispatcher(StatusQuery& query, MessageBox& messages, const TickCounter& clock,
                                 DatagramSocket& socket, UrlOpener& urls)
    : m_query(query)
    , m_messages(messages)
    , m_clock(clock)
    , m_socket(socket)
    , m_urls(urls)
{
}

void ReplyDispatcher::sendUpdateQuery(const UpdateHost& host)
{
    // No network is a normal case: a failed lookup or send stays silent.
    m_socket.send(host.host, host.port, kUpdateQuery, nullptr, nullptr);
}

void ReplyDispatcher::Winsock1_DataArrival(const Datagram& datagram)
{
    // Each notice's keyword, in any letter case, and its handler; every other
    // datagram but the empty one is a status reply for StatusQuery::arrived.
    static constexpr std::pair<std::string_view, void (ReplyDispatcher::*)(const std::string&)> kNotices[] = {
        {"msgbox", &ReplyDispatcher::showNotice},
        {"website", &ReplyDispatcher::openWebsite},
    };
    const std::string& text = datagram.bytes;
    // The text before the first space, or all of it; an empty text has none.
    const std::string firstWord = text.empty() ? std::string() : GetWords(text, 1, " ").value_or("");
    const auto* notice = std::find_if(std::begin(kNotices), std::end(kNotices),
                                      [&](const auto& row) { return sameIgnoringCase(firstWord, row.first); });
    const bool isNotice = notice != std::end(kNotices);
    // Every datagram ends the wait before anything else is done with it.
    m_query.arrived(datagram, text.empty() || isNotice ? DatagramKind::Other : DatagramKind::StatusReply);
    if (isNotice) {
        // The rest starts at the space after the first word (empty without one).
        (this->*notice->second)(text.substr(firstWord.size()));
    }
}

void ReplyDispatcher::showNotice(const std::string& message)
{
    if (m_noticeOpen) {
        return;
    }
    m_noticeOpen = true;
    struct ClearOnReturn
    {
        bool& flag;
        ~ClearOnReturn() { flag = false; }
    } clear{m_noticeOpen};
    m_messages.show(message, "Updates");
}

void ReplyDispatcher::openWebsite(const std::string& address)
{
    const std::uint64_t now = m_clock.microseconds();
    if (m_lastWebsiteMicros && now - *m_lastWebsiteMicros < kWebsiteQuietMicros) {
        return;
    }
    const auto url = WebAddress::check(trimmed(address));
    if (!url) {
        return;
    }
    // Only an address the opener took starts the quiet time: one it refused
    // opened nothing, and must not silence the next.
    if (m_urls.open(*url).ok()) {
        m_lastWebsiteMicros = now;
    }
}

} // namespace tarvex
