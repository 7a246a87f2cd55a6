#pragma once

#include "LoopbackSocket.h"

#include <atomic>
#include <thread>

namespace tarvex::bench {

// A game server on 127.0.0.1 that answers every status query with the
// reply of a server named "After Flood" on map "e1m1" with one player.
class StatusResponder
{
public:
    StatusResponder();
    ~StatusResponder();

    std::uint16_t port() const { return m_socket.port(); }
    long answered() const { return m_answered; }

private:
    void run();

    LoopbackSocket m_socket;
    std::atomic<bool> m_stop{false};
    std::atomic<long> m_answered{0};
    std::thread m_thread;
};

} // namespace tarvex::bench
