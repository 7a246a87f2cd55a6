#include "LoopbackSocket.h"

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace tarvex::bench {

LoopbackSocket::LoopbackSocket()
{
    m_fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    if (m_fd < 0) {
        throw std::runtime_error("socket() failed");
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
        || ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(m_fd);
        throw std::runtime_error("binding to 127.0.0.1 failed");
    }
    m_port = ntohs(address.sin_port);
}

LoopbackSocket::~LoopbackSocket()
{
    ::close(m_fd);
}

std::optional<LoopbackSocket::Received> LoopbackSocket::receive(int timeoutMs)
{
    pollfd waiting{m_fd, POLLIN, 0};
    if (::poll(&waiting, 1, timeoutMs) <= 0) {
        return std::nullopt;
    }
    Received received;
    received.bytes.resize(65536);
    socklen_t length = sizeof received.from;
    const auto size = ::recvfrom(m_fd, received.bytes.data(), received.bytes.size(), 0,
                                 reinterpret_cast<sockaddr*>(&received.from), &length);
    if (size < 0) {
        return std::nullopt;
    }
    received.bytes.resize(static_cast<std::size_t>(size));
    return received;
}

bool LoopbackSocket::sendTo(const sockaddr_in& to, const std::string& bytes)
{
    // Only ever to the loopback address, whatever the caller found.
    if (to.sin_addr.s_addr != htonl(INADDR_LOOPBACK)) {
        return false;
    }
    return ::sendto(m_fd, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to)
        == static_cast<ssize_t>(bytes.size());
}

} // namespace tarvex::bench
