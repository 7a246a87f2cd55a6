#include "updates/ReplyDispatcher.h"

#include "platform/DatagramSocket.h"
#include "platform/MessageBox.h"
#include "platform/TickCounter.h"
#include "platform/UrlOpener.h"
#include "query/StatusQuery.h"
#include "query/StatusReply.h"
#include "shared/Fields.h"
#include "shared/MainWindow.h"

#include <algorithm>

namespace tarvex {

namespace {

constexpr const char* kUpdateQuery = "Updates?";
constexpr std::uint32_t kWebsiteQuietMs = 10000;

bool sameIgnoringCase(std::string_view text, std::string_view lowerKeyword)
{
    return text.size() == lowerKeyword.size()
        && std::equal(text.begin(), text.end(), lowerKeyword.begin(), [](char a, char b) {
               return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
           });
}

std::string_view trimmed(std::string_view text)
{
    constexpr std::string_view kBlank = " \t\r\n";
    const auto first = text.find_first_not_of(kBlank);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlank) - first + 1);
}

// Only a plain web address may reach the browser: a notice must not be able
// to open a file, run a program through some other scheme, or smuggle extra
// arguments in through blanks or control characters.
bool isWebAddress(std::string_view address)
{
    const auto schemeEnd = address.find("://");
    if (schemeEnd == std::string_view::npos
        || !(sameIgnoringCase(address.substr(0, schemeEnd), "http")
             || sameIgnoringCase(address.substr(0, schemeEnd), "https"))) {
        return false;
    }
    const auto rest = address.substr(schemeEnd + 3);
    if (rest.empty() || rest.front() == '/' || rest.front() == '?' || rest.front() == '#') {
        return false;
    }
    return std::none_of(address.begin(), address.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte <= 0x20 || byte == 0x7F;
    });
}

} // namespace

ReplyDispatcher::ReplyDispatcher(MainWindow& window, StatusQuery& query, MessageBox& messages, const TickCounter& ticks,
                                 DatagramSocket& socket, UrlOpener& urls)
    : m_window(window)
    , m_query(query)
    , m_messages(messages)
    , m_ticks(ticks)
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
    m_query.endWait(datagram.arrivalMicros);

    const std::string& text = datagram.bytes;
    if (text.empty()) {
        return;
    }
    // Non-empty, so field 1 exists: the text before the first space, or all of it.
    const std::string firstWord = GetWords(text, 1, " ").value_or("");
    // The rest starts at the space after the first word (empty without one).
    if (sameIgnoringCase(firstWord, "msgbox")) {
        showNotice(text.substr(firstWord.size()));
    } else if (sameIgnoringCase(firstWord, "website")) {
        openWebsite(text.substr(firstWord.size()));
    } else {
        const auto reply = m_parts.add(datagram, m_query.ping(), m_query.queryNumber(), m_query.queriedPort());
        std::string income = reply.text;
        std::replace(income.begin(), income.end(), '\n', '\\');
        const auto lines = dostuff(income, reply.text, ReplySource{datagram.fromIp, datagram.fromPort, reply.ping});
        m_window.clearResults();
        for (const auto& line : lines) {
            m_window.addResultLine(line);
        }
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
    const auto url = trimmed(address);
    if (!isWebAddress(url)) {
        return;
    }
    const std::uint32_t now = m_ticks.ticks();
    // Unsigned difference: right across a wrap of the tick counter.
    if (m_lastWebsiteTicks && now - *m_lastWebsiteTicks < kWebsiteQuietMs) {
        return;
    }
    m_lastWebsiteTicks = now;
    m_urls.open(std::string(url));
}

} // namespace tarvex
