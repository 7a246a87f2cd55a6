#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace tarvex {

struct Datagram
{
    std::string bytes;  // one character per byte
    std::string fromIp; // dotted IPv4 address of the sender
    std::uint16_t fromPort = 0;
    // When it reached the socket (the system's receive time where it keeps
    // one, else when it was read), on the tick counter's clock: a round trip
    // is measured to the arrival, not to when the window got round to it.
    std::uint64_t arrivalMicros = 0;
};

// One IPv4 UDP socket on a port the system chooses; every datagram leaves from
// it and every reply arrives on it.
class DatagramSocket
{
public:
    using Receiver = std::function<void(const Datagram&)>;
    using SentHandler = std::function<void(std::uint64_t sentMicros)>;
    using FailureHandler = std::function<void(const std::string& reason)>;

    virtual ~DatagramSocket() = default;
    // Each arriving datagram is handed to the receiver on the GUI thread.
    virtual void setReceiver(Receiver receiver) = 0;
    // Sends the bytes as one datagram. Never blocks: a host name is resolved in
    // the background and the datagram leaves once it has. onSent is told the
    // moment it was handed to the system, on the clock arrivals are stamped
    // with, after any name lookup; for an address that is before send()
    // returns. If the name does not resolve or the send fails, onFailure is
    // called instead, later, on the GUI thread, with a short reason. Either
    // may be empty.
    virtual void send(const std::string& host, std::uint16_t port, const std::string& bytes, SentHandler onSent,
                      FailureHandler onFailure)
        = 0;
    // Stops receiving; later sends are dropped.
    virtual void close() = 0;
};

} // namespace tarvex
