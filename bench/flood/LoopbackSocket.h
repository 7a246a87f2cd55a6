#pragma once

#include <netinet/in.h>

#include <cstdint>
#include <optional>
#include <string>

namespace tarvex::bench {

// A blocking IPv4 UDP socket bound to a free port on 127.0.0.1.
class LoopbackSocket
{
public:
    LoopbackSocket();
    ~LoopbackSocket();
    LoopbackSocket(const LoopbackSocket&) = delete;
    LoopbackSocket& operator=(const LoopbackSocket&) = delete;

    std::uint16_t port() const { return m_port; }

    struct Received
    {
        std::string bytes;
        sockaddr_in from{};
    };
    // The next datagram, or nothing after timeoutMs.
    std::optional<Received> receive(int timeoutMs);
    // True when the system took the datagram.
    bool sendTo(const sockaddr_in& to, const std::string& bytes);

private:
    int m_fd = -1;
    std::uint16_t m_port = 0;
};

} // namespace tarvex::bench
