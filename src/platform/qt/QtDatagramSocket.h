#pragma once

#include "platform/DatagramSocket.h"
#include "platform/TickCounter.h"

#include <QObject>
#include <QTimer>
#include <QUdpSocket>

#include <deque>

namespace tarvex {

class QtDatagramSocket final : public QObject, public DatagramSocket
{
public:
    // Bytes of datagrams read but not yet handed to the receiver; beyond
    // this a flood is dropped, as a full receive buffer would drop it.
    static constexpr std::size_t kMaxQueuedBytes = std::size_t{4} * 1024 * 1024;
    // Datagrams read, or handed over, in one go before the event loop gets a
    // turn: a flood must not starve the timer and the window.
    static constexpr int kBatch = 64;

    // Arrivals are stamped on the clock as they are read.
    explicit QtDatagramSocket(const TickCounter& clock);

    void setReceiver(Receiver receiver) override;
    void send(const std::string& host, std::uint16_t port, const std::string& bytes, SentHandler onSent,
              FailureHandler onFailure) override;
    void close() override;

    // The local port the system picked; 0 if binding failed.
    std::uint16_t localPort() const;

private:
    void readPending();
    void scheduleDelivery();
    void deliverQueued();
    void sendTo(const QHostAddress& address, std::uint16_t port, const QByteArray& bytes, const SentHandler& onSent,
                const FailureHandler& onFailure);
    void fail(const FailureHandler& onFailure, const std::string& reason);

    const TickCounter& m_clock;
    QUdpSocket m_socket;
    Receiver m_receiver;
    std::deque<Datagram> m_queue;
    std::size_t m_queuedBytes = 0;
    bool m_deliveryScheduled = false;
    bool m_readScheduled = false;
    QTimer m_readCheck;
    bool m_closed = false;
};

} // namespace tarvex
