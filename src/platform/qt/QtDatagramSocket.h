#pragma once

#include "platform/DatagramSocket.h"

#include <QObject>
#include <QUdpSocket>

namespace tarvex {

class QtDatagramSocket final : public QObject, public DatagramSocket
{
public:
    QtDatagramSocket();

    void setReceiver(Receiver receiver) override;
    void send(const std::string& host, std::uint16_t port, const std::string& bytes,
              FailureHandler onFailure) override;
    void close() override;

private:
    void readPending();
    void sendTo(const QHostAddress& address, std::uint16_t port, const QByteArray& bytes,
                const FailureHandler& onFailure);
    void fail(const FailureHandler& onFailure, const std::string& reason);

    QUdpSocket m_socket;
    Receiver m_receiver;
    bool m_closed = false;
};

} // namespace tarvex
