#pragma once

#include "query/ReplyParts.h"
#include "updates/UpdateHost.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tarvex {

class DatagramSocket;
class MainWindow;
class MessageBox;
class StatusQuery;
class TickCounter;
class UrlOpener;
struct Datagram;

// Sends the update query and routes every datagram that arrives: each one
// ends the outstanding status query; "msgbox" and "website" notices (keyword
// in any letter case) are handled here, everything else is a status reply,
// or a part of one that came in several datagrams.
class ReplyDispatcher
{
public:
    ReplyDispatcher(MainWindow& window, StatusQuery& query, MessageBox& messages, const TickCounter& ticks,
                    DatagramSocket& socket, UrlOpener& urls);

    void sendUpdateQuery(const UpdateHost& host);
    // Notices come from anyone on the network. An empty datagram only ends
    // the wait. While a notice's box is open, further "msgbox" notices are
    // dropped, so a flood never stacks boxes. A "website" notice opens its
    // address only when it is an http:// or https:// address; anything else is
    // ignored without a word, and so is every website notice within ten
    // seconds of the last address opened: a flood must not open a browser
    // tab per datagram.
    void Winsock1_DataArrival(const Datagram& datagram);

private:
    void showNotice(const std::string& message);
    void openWebsite(const std::string& address);

    MainWindow& m_window;
    StatusQuery& m_query;
    MessageBox& m_messages;
    const TickCounter& m_ticks;
    DatagramSocket& m_socket;
    UrlOpener& m_urls;
    ReplyParts m_parts;
    bool m_noticeOpen = false;
    std::optional<std::uint32_t> m_lastWebsiteTicks;
};

} // namespace tarvex
