#pragma once

#include "updates/UpdateHost.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tarvex {

class DatagramSocket;
class MessageBox;
class StatusQuery;
class TickCounter;
class UrlOpener;
struct Datagram;

// Sends the update query and routes every datagram that arrives: each one
// ends the outstanding status query; the notices are handled here (their
// keywords are the table in Winsock1_DataArrival), everything else goes to the status
// query as a status reply, or a part of one.
class ReplyDispatcher
{
public:
    ReplyDispatcher(StatusQuery& query, MessageBox& messages, const TickCounter& clock, DatagramSocket& socket,
                    UrlOpener& urls);

    void sendUpdateQuery(const UpdateHost& host);
    // Notices come from anyone on the network. An empty datagram only ends
    // the wait. While a notice's box is open, further "msgbox" notices are
    // dropped, so a flood never stacks boxes. A "website" notice opens its
    // address only when it is a web address (WebAddress::check); anything
    // else is ignored without a word, and so is every website notice within
    // ten seconds of the last address the opener took: a flood must not open
    // a browser tab per datagram.
    void Winsock1_DataArrival(const Datagram& datagram);

private:
    void showNotice(const std::string& message);
    void openWebsite(const std::string& address);

    StatusQuery& m_query;
    MessageBox& m_messages;
    const TickCounter& m_clock;
    DatagramSocket& m_socket;
    UrlOpener& m_urls;
    bool m_noticeOpen = false;
    std::optional<std::uint64_t> m_lastWebsiteMicros;
};

} // namespace tarvex
