#include "platform/qt/QtDatagramSocket.h"

#include "platform/qt/QtArrivalTime.h"
#include "platform/qt/QtText.h"

#include <QHostInfo>
#include <QNetworkDatagram>

namespace tarvex {

QtDatagramSocket::QtDatagramSocket(const TickCounter& clock)
    : m_clock(clock)
{
    // Bound at once so that every datagram leaves from, and every reply
    // arrives at, the one port the system picked.
    m_socket.bind(QHostAddress::AnyIPv4, 0);
    enableArrivalTimes(m_socket.socketDescriptor());
    connect(&m_socket, &QUdpSocket::readyRead, this, &QtDatagramSocket::readPending);
    // After a flood has been read in batches, Qt's read notification has been
    // seen to stay off with datagrams waiting; look for them now and then
    // rather than go deaf.
    m_readCheck.setInterval(100);
    connect(&m_readCheck, &QTimer::timeout, this, [this] {
        if (!m_closed && m_socket.hasPendingDatagrams()) {
            readPending();
        }
    });
    m_readCheck.start();
}

void QtDatagramSocket::setReceiver(Receiver receiver)
{
    m_receiver = std::move(receiver);
}

void QtDatagramSocket::send(const std::string& host, std::uint16_t port, const std::string& bytes, SentHandler onSent,
                            FailureHandler onFailure)
{
    if (m_closed) {
        return;
    }
    const QByteArray payload = QByteArray::fromStdString(bytes);
    const QString name = fromLatin1(host);
    QHostAddress address;
    if (address.setAddress(name) && address.protocol() == QHostAddress::IPv4Protocol) {
        sendTo(address, port, payload, onSent, onFailure);
        return;
    }
    // Resolved on Qt's lookup threads: the window never waits for DNS.
    QHostInfo::lookupHost(name, this, [this, name, port, payload, onSent, onFailure](const QHostInfo& info) {
        for (const QHostAddress& candidate : info.addresses()) {
            if (candidate.protocol() == QHostAddress::IPv4Protocol) {
                sendTo(candidate, port, payload, onSent, onFailure);
                return;
            }
        }
        fail(onFailure, "the host name " + toLatin1(name) + " could not be resolved");
    });
}

void QtDatagramSocket::close()
{
    m_closed = true;
    m_readCheck.stop();
    m_receiver = nullptr;
    m_queue.clear();
    m_queuedBytes = 0;
    m_socket.close();
}

void QtDatagramSocket::sendTo(const QHostAddress& address, std::uint16_t port, const QByteArray& bytes,
                              const SentHandler& onSent, const FailureHandler& onFailure)
{
    if (m_closed) {
        return;
    }
    const std::uint64_t sentAt = m_clock.microseconds();
    if (m_socket.writeDatagram(bytes, address, port) < 0) {
        fail(onFailure, toLatin1(m_socket.errorString()));
    } else if (onSent) {
        onSent(sentAt);
    }
}

void QtDatagramSocket::fail(const FailureHandler& onFailure, const std::string& reason)
{
    if (!onFailure) {
        return;
    }
    // Failures are reported after send() has returned, never from inside it.
    QTimer::singleShot(0, this, [onFailure, reason] { onFailure(reason); });
}

std::uint16_t QtDatagramSocket::localPort() const
{
    return static_cast<std::uint16_t>(m_socket.localPort());
}

void QtDatagramSocket::readPending()
{
    // Everything pending is read now and handed over from separate events:
    // a receiver that opens a modal box runs a nested event loop, and Qt does
    // not raise readyRead again while its handler is still on the stack, so
    // delivering from here would hold back every later datagram, status
    // replies included, until the box closed.
    int read = 0;
    while (m_socket.hasPendingDatagrams()) {
        if (read++ == kBatch) {
            // More to come: read on after the event loop has had a turn.
            if (!m_readScheduled) {
                m_readScheduled = true;
                QTimer::singleShot(0, this, [this] {
                    m_readScheduled = false;
                    readPending();
                });
            }
            break;
        }
        const QNetworkDatagram received = m_socket.receiveDatagram();
        if (!received.isValid()) {
            break;
        }
        const std::uint64_t arrival
            = lastArrival(m_socket.socketDescriptor(), m_clock).value_or(m_clock.microseconds());
        const QByteArray data = received.data();
        if (!m_receiver || m_closed || m_queuedBytes + static_cast<std::size_t>(data.size()) > kMaxQueuedBytes) {
            continue;
        }
        Datagram datagram;
        datagram.bytes = data.toStdString();
        bool isIpv4 = false;
        const quint32 ipv4 = received.senderAddress().toIPv4Address(&isIpv4);
        datagram.fromIp
            = isIpv4 ? toLatin1(QHostAddress(ipv4).toString()) : toLatin1(received.senderAddress().toString());
        datagram.fromPort = static_cast<std::uint16_t>(received.senderPort());
        datagram.arrivalMicros = arrival;
        m_queuedBytes += datagram.bytes.size();
        m_queue.push_back(std::move(datagram));
    }
    scheduleDelivery();
}

void QtDatagramSocket::scheduleDelivery()
{
    if (m_deliveryScheduled || m_queue.empty()) {
        return;
    }
    m_deliveryScheduled = true;
    QMetaObject::invokeMethod(this, &QtDatagramSocket::deliverQueued, Qt::QueuedConnection);
}

void QtDatagramSocket::deliverQueued()
{
    m_deliveryScheduled = false;
    for (int delivered = 0; delivered < kBatch && !m_queue.empty() && !m_closed && m_receiver; ++delivered) {
        const Datagram datagram = std::move(m_queue.front());
        m_queue.pop_front();
        m_queuedBytes -= datagram.bytes.size();
        // Keeps one delivery pending while the receiver runs, so the rest
        // still arrive if it stays in a nested event loop.
        scheduleDelivery();
        const Receiver receiver = m_receiver;
        receiver(datagram);
    }
    if (m_closed || !m_receiver) {
        m_queue.clear();
        m_queuedBytes = 0;
        return;
    }
    scheduleDelivery();
}

} // namespace tarvex
