#pragma once

#include "platform/DatagramSocket.h"

#include <chrono>

namespace tarvex::bench {

// Passes the socket through and counts the datagrams handed to the launcher.
class CountingDatagramSocket final : public DatagramSocket
{
public:
    using Clock = std::chrono::steady_clock;

    explicit CountingDatagramSocket(DatagramSocket& inner)
        : m_inner(inner)
    {
    }

    void setReceiver(Receiver receiver) override
    {
        if (!receiver) {
            m_inner.setReceiver(nullptr);
            return;
        }
        m_inner.setReceiver([this, receiver = std::move(receiver)](const Datagram& datagram) {
            ++m_delivered;
            m_lastDelivery = Clock::now();
            receiver(datagram);
        });
    }

    void send(const std::string& host, std::uint16_t port, const std::string& bytes, SentHandler onSent,
              FailureHandler onFailure) override
    {
        m_inner.send(host, port, bytes, std::move(onSent), std::move(onFailure));
    }

    void close() override { m_inner.close(); }

    long delivered() const { return m_delivered; }
    Clock::time_point lastDelivery() const { return m_lastDelivery; }

private:
    DatagramSocket& m_inner;
    long m_delivered = 0;
    Clock::time_point m_lastDelivery = Clock::now();
};

} // namespace tarvex::bench
