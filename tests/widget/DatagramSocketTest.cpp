#include "platform/qt/QtDatagramSocket.h"
#include "platform/qt/QtTickCounter.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QNetworkDatagram>
#include <QTest>
#include <QTimer>
#include <QUdpSocket>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <vector>

namespace tarvex {
namespace {

using ::testing::ElementsAre;

constexpr int kDeadlineMs = 10000;

// A game server stand-in on loopback that answers every datagram it gets.
class LoopbackPeer
{
public:
    LoopbackPeer() { EXPECT_TRUE(m_socket.bind(QHostAddress::LocalHost, 0)); }
    std::uint16_t port() const { return static_cast<std::uint16_t>(m_socket.localPort()); }
    std::optional<QNetworkDatagram> receive()
    {
        if (!QTest::qWaitFor([this] { return m_socket.hasPendingDatagrams(); }, kDeadlineMs)) {
            return std::nullopt;
        }
        return m_socket.receiveDatagram();
    }
    void sendTo(std::uint16_t port, const QByteArray& bytes)
    {
        ASSERT_EQ(m_socket.writeDatagram(bytes, QHostAddress::LocalHost, port), bytes.size());
    }

private:
    QUdpSocket m_socket;
};

// A port on loopback where nothing listens (bound, then released).
std::uint16_t silentPort()
{
    QUdpSocket probe;
    EXPECT_TRUE(probe.bind(QHostAddress::LocalHost, 0));
    return static_cast<std::uint16_t>(probe.localPort());
}

std::string bytesOf(const QByteArray& data)
{
    return std::string(data.constData(), static_cast<std::size_t>(data.size()));
}

class DatagramSocketTest : public ::testing::Test
{
protected:
    DatagramSocketTest()
    {
        socket.setReceiver([this](const Datagram& datagram) { received.push_back(datagram); });
    }
    bool waitForReceived(std::size_t count)
    {
        return QTest::qWaitFor([&] { return received.size() >= count; }, kDeadlineMs);
    }

    QtTickCounter clock;
    QtDatagramSocket socket{clock};
    std::vector<Datagram> received;
};

TEST_F(DatagramSocketTest, ExchangesExactBytesWithTheSenderAddress)
{
    LoopbackPeer peer;
    const std::string query("\xFF\xFF\xFF\xFFstatus", 10);
    // An address needs no lookup: the moment it left is known before send() returns.
    std::optional<std::uint64_t> sentAt;
    const auto before = clock.microseconds();
    socket.send("127.0.0.1", peer.port(), query, [&](std::uint64_t at) { sentAt = at; }, nullptr);
    ASSERT_TRUE(sentAt);
    EXPECT_GE(*sentAt, before);
    EXPECT_LE(*sentAt, clock.microseconds());

    const auto got = peer.receive();
    ASSERT_TRUE(got);
    EXPECT_EQ(bytesOf(got->data()), query);
    EXPECT_EQ(got->senderPort(), socket.localPort());

    const std::string reply("\xFF\xFF\xFF\xFFn\\hostname\\x\n\0\xE9", 19);
    peer.sendTo(socket.localPort(), QByteArray(reply.data(), static_cast<qsizetype>(reply.size())));
    ASSERT_TRUE(waitForReceived(1));
    EXPECT_EQ(received[0].bytes, reply);
    EXPECT_EQ(received[0].fromIp, "127.0.0.1");
    EXPECT_EQ(received[0].fromPort, peer.port());
}

// Microseconds this thread has waited for a CPU so far, as the kernel counts
// them. The socket turns a datagram's kernel stamp into its own clock by the
// stamp's age at the moment it reads it; a wait in between makes the arrival
// read that much early.
std::uint64_t cpuWaitMicros()
{
    std::ifstream schedstat("/proc/thread-self/schedstat");
    std::uint64_t runningNs = 0;
    std::uint64_t waitingNs = 0;
    schedstat >> runningNs >> waitingNs;
    return waitingNs / 1000;
}

// A round trip ends when the reply reached the socket, not when a busy window
// got round to reading it or handing it over.
TEST_F(DatagramSocketTest, ArrivalIsStampedWhenTheDatagramCameNotWhenTheWindowGotToIt)
{
    // The socket's own work between its clock reading and the stamp's age.
    constexpr std::uint64_t kWorkMicros = 1000;
    LoopbackPeer peer;
    // Linux switches receive stamps on through deferred work when the first
    // socket of the system asks, so the first datagrams may come unstamped,
    // with their read time standing in. A probe left unread for 50 ms tells
    // which it got: its arrival lies long before the sleep ended, or after it
    // (unless this thread waited for a CPU about as long meanwhile: then the
    // probe counts for nothing).
    bool stamped = false;
    for (const QDeadlineTimer deadline(kDeadlineMs); !stamped && !deadline.hasExpired();) {
        received.clear();
        peer.sendTo(socket.localPort(), "probe");
        QTest::qSleep(50);
        const auto leftUnreadUntil = clock.microseconds();
        const auto waitedBefore = cpuWaitMicros();
        ASSERT_TRUE(waitForReceived(1));
        stamped = cpuWaitMicros() - waitedBefore + kWorkMicros < 25000
            && received[0].arrivalMicros + 25000 <= leftUnreadUntil;
    }
    ASSERT_TRUE(stamped) << "receive stamps never came on";
    received.clear();

    std::vector<std::uint64_t> handedOverAt;
    socket.setReceiver([&](const Datagram& datagram) {
        handedOverAt.push_back(clock.microseconds());
        received.push_back(datagram);
        QTest::qSleep(60);
    });
    const auto waitedBefore = cpuWaitMicros();
    const auto sentAt = clock.microseconds();
    peer.sendTo(socket.localPort(), "first");
    peer.sendTo(socket.localPort(), "second");
    QTest::qSleep(60); // busy elsewhere before the socket is read
    ASSERT_TRUE(waitForReceived(2));
    const auto waited = cpuWaitMicros() - waitedBefore;
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_GE(received[i].arrivalMicros + waited + kWorkMicros, sentAt) << i;
        EXPECT_LE(received[i].arrivalMicros + 50000, handedOverAt[i]) << i;
    }
}

TEST_F(DatagramSocketTest, LargestDatagramGoesBothWaysWhole)
{
    LoopbackPeer peer;
    std::string big(65507, '\0');
    for (std::size_t i = 0; i < big.size(); ++i) {
        big[i] = static_cast<char>(i * 7);
    }
    socket.send("127.0.0.1", peer.port(), big, nullptr, [](const std::string& reason) { ADD_FAILURE() << reason; });
    const auto got = peer.receive();
    ASSERT_TRUE(got);
    EXPECT_EQ(bytesOf(got->data()), big);

    peer.sendTo(socket.localPort(), got->data());
    ASSERT_TRUE(waitForReceived(1));
    EXPECT_EQ(received[0].bytes, big);
}

TEST_F(DatagramSocketTest, SocketSurvivesASendToAPortWhereNothingListens)
{
    std::vector<std::string> failures;
    const auto record = [&](const std::string& reason) { failures.push_back(reason); };
    LoopbackPeer peer;
    socket.send("127.0.0.1", silentPort(), "\xFF\xFF\xFF\xFFstatus", nullptr, record);
    // The port-unreachable report was made while that send was handed to
    // loopback, before this marker left: once the marker is read, the socket
    // has been through the report.
    peer.sendTo(socket.localPort(), "marker");
    ASSERT_TRUE(waitForReceived(1));

    socket.send("127.0.0.1", peer.port(), "second", nullptr, record);
    const auto got = peer.receive();
    ASSERT_TRUE(got);
    EXPECT_EQ(bytesOf(got->data()), "second");
    peer.sendTo(socket.localPort(), "answer");
    ASSERT_TRUE(waitForReceived(2));
    EXPECT_EQ(received[1].bytes, "answer");
    EXPECT_TRUE(failures.empty());
}

TEST_F(DatagramSocketTest, NameThatCannotResolveFailsLaterWithoutBlocking)
{
    std::vector<std::string> failures;
    // Not a valid host name, so it fails inside the resolver without asking
    // any name server.
    socket.send("no such host", 27500, "x", nullptr, [&](const std::string& reason) { failures.push_back(reason); });
    EXPECT_TRUE(failures.empty()) << "reported from inside send";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !failures.empty(); }, kDeadlineMs));
    EXPECT_THAT(failures, ElementsAre("the host name no such host could not be resolved"));

    // The socket is still usable.
    LoopbackPeer peer;
    socket.send("127.0.0.1", peer.port(), "after", nullptr, nullptr);
    const auto got = peer.receive();
    ASSERT_TRUE(got);
    EXPECT_EQ(bytesOf(got->data()), "after");
}

TEST_F(DatagramSocketTest, DatagramsKeepArrivingWhileTheReceiverRunsANestedLoop)
{
    LoopbackPeer peer;
    bool sawSecondInsideFirst = false;
    socket.setReceiver([&](const Datagram& datagram) {
        received.push_back(datagram);
        if (datagram.bytes == "first") {
            // As a modal message box does.
            peer.sendTo(socket.localPort(), "second");
            sawSecondInsideFirst = QTest::qWaitFor([&] { return received.size() >= 2; }, kDeadlineMs);
        }
    });
    peer.sendTo(socket.localPort(), "first");
    ASSERT_TRUE(waitForReceived(2));
    EXPECT_TRUE(sawSecondInsideFirst);
    EXPECT_EQ(received[0].bytes, "first");
    EXPECT_EQ(received[1].bytes, "second");
}

TEST_F(DatagramSocketTest, ManyDatagramsArriveInOrder)
{
    LoopbackPeer peer;
    for (int i = 0; i < 100; ++i) {
        peer.sendTo(socket.localPort(), QByteArray::number(i));
    }
    ASSERT_TRUE(waitForReceived(100));
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(received[static_cast<std::size_t>(i)].bytes, std::to_string(i));
    }
}

TEST_F(DatagramSocketTest, ClosedSocketNeitherSendsNorDelivers)
{
    LoopbackPeer peer;
    const auto port = socket.localPort();
    socket.close();
    socket.send("127.0.0.1", peer.port(), "x", nullptr, nullptr);
    peer.sendTo(port, "y");

    // Markers sent after x and y: x would have reached the peer before its
    // marker, and y would have been handed over within two rounds of markers
    // through another socket's read and delivery.
    LoopbackPeer other;
    other.sendTo(peer.port(), "marker");
    const auto first = peer.receive();
    ASSERT_TRUE(first);
    EXPECT_EQ(bytesOf(first->data()), "marker");
    QtDatagramSocket witness{clock};
    std::size_t witnessed = 0;
    witness.setReceiver([&](const Datagram&) { ++witnessed; });
    for (std::size_t round = 1; round <= 2; ++round) {
        peer.sendTo(witness.localPort(), "marker");
        ASSERT_TRUE(QTest::qWaitFor([&] { return witnessed >= round; }, kDeadlineMs));
    }
    EXPECT_TRUE(received.empty());
}

TEST_F(DatagramSocketTest, AFloodLeavesTheEventLoopTurnsBetweenDatagrams)
{
    // A zero-interval timer runs once per turn of the event loop; if a burst
    // were read and handed over in one go, every datagram would see the same
    // turn.
    int turns = 0;
    QTimer turn;
    QObject::connect(&turn, &QTimer::timeout, [&] { ++turns; });
    std::vector<int> turnAtDelivery;
    socket.setReceiver([&](const Datagram&) { turnAtDelivery.push_back(turns); });

    LoopbackPeer peer;
    // Small enough for the kernel's receive buffer to hold all at once.
    constexpr int kBurst = 150;
    for (int i = 0; i < kBurst; ++i) {
        peer.sendTo(socket.localPort(), QByteArray::number(i));
    }
    turn.start(0);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return turnAtDelivery.size() >= static_cast<std::size_t>(kBurst); }, kDeadlineMs));
    EXPECT_GT(turnAtDelivery.back(), turnAtDelivery.front());
}

} // namespace
} // namespace tarvex
