#pragma once

#include "LoopbackSocket.h"

#include <array>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace tarvex::bench {

// The update host of the run and the flood's source: learns the launcher's
// address from its update query, then, once told to, sends the datagrams as
// fast as the system takes them. Bounded by count and by time.
class FloodSender
{
public:
    FloodSender(long datagrams, std::chrono::seconds timeLimit);
    ~FloodSender();

    std::uint16_t port() const { return m_socket.port(); }
    // True once the update query has arrived.
    bool ready() const { return m_ready; }
    void go() { m_go = true; }
    bool done() const { return m_done; }

    long sent() const { return m_sent; }
    long refused() const { return m_refused; }
    double seconds() const { return m_seconds; }
    bool failed() const { return m_failed; }
    // How many of each kind were sent: status replies, "msgbox" and
    // "website" notices, garbage.
    std::vector<long> kinds() const;

private:
    void run();
    // Datagram number i of the flood: kind i % 4, the garbage drawn from a
    // fixed pool in which every 500th one has the largest size.
    const std::string& datagram(long i);

    // Built before the flood and kept to the end, so that the launcher's
    // memory figures do not move with the sender's buffers.
    std::vector<std::string> m_statusReplies;
    std::vector<std::string> m_garbage;
    std::string m_notice;

    LoopbackSocket m_socket;
    long m_count;
    std::chrono::seconds m_timeLimit;
    std::atomic<long> m_kindCounts[4] = {0, 0, 0, 0};
    std::atomic<bool> m_ready{false};
    std::atomic<bool> m_go{false};
    std::atomic<bool> m_done{false};
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_failed{false};
    std::atomic<long> m_sent{0};
    std::atomic<long> m_refused{0};
    std::atomic<double> m_seconds{0};
    std::thread m_thread;
};

} // namespace tarvex::bench
