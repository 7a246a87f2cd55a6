#include "FloodSender.h"

#include <random>

namespace tarvex::bench {

namespace {

constexpr std::size_t kLargestDatagram = 65507;
constexpr int kGarbagePool = 1000;

std::string statusReply(int number)
{
    std::string reply = "\xFF\xFF\xFF\xFFn\\*gamedir\\ktx\\maxfps\\77\\maxclients\\24\\maxspectators\\8"
                        "\\deathmatch\\3\\*version\\MVDSV 0.35\\hostname\\Flood Server "
        + std::to_string(number) + "\\map\\dm4\\status\\Standby\n";
    for (int i = 1; i <= number % 8; ++i) {
        reply += std::to_string(i) + " 12 34 56 \"Player" + std::to_string(i) + "\" \"base\" 4 4\n";
    }
    return reply + '\0';
}

} // namespace

FloodSender::FloodSender(long datagrams, std::chrono::seconds timeLimit)
    : m_count(datagrams)
    , m_timeLimit(timeLimit)
{
    std::mt19937 random(20240607);
    for (int i = 0; i < 100; ++i) {
        m_statusReplies.push_back(statusReply(i));
    }
    for (int i = 1; i <= kGarbagePool; ++i) {
        const std::size_t size = i % 500 == 0 ? kLargestDatagram : random() % 1400;
        std::string bytes(size, '\0');
        for (auto& byte : bytes) {
            byte = static_cast<char>(random() & 0xFF);
        }
        m_garbage.push_back(std::move(bytes));
    }
    m_notice.reserve(128);
    m_thread = std::thread([this] { run(); });
}

FloodSender::~FloodSender()
{
    m_stop = true;
    m_thread.join();
}

std::vector<long> FloodSender::kinds() const
{
    return {m_kindCounts[0], m_kindCounts[1], m_kindCounts[2], m_kindCounts[3]};
}

const std::string& FloodSender::datagram(long i)
{
    switch (i % 4) {
    case 0:
        return m_statusReplies[static_cast<std::size_t>(i % 100)];
    case 1:
        m_notice = "msgbox Flood notice " + std::to_string(i) + "\nsecond line";
        return m_notice;
    case 2:
        m_notice = "website http://127.0.0.1:9/flood/" + std::to_string(i);
        return m_notice;
    default:
        return m_garbage[static_cast<std::size_t>((i / 4) % kGarbagePool)];
    }
}

void FloodSender::run()
{
    const auto query = m_socket.receive(10000);
    if (!query || query->bytes != "Updates?") {
        m_failed = true;
        m_done = true;
        return;
    }
    m_ready = true;
    const auto waitUntil = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!m_go && !m_stop && std::chrono::steady_clock::now() < waitUntil) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (!m_go) {
        m_failed = true;
        m_done = true;
        return;
    }
    const auto start = std::chrono::steady_clock::now();
    const auto stopAt = start + m_timeLimit;
    for (long i = 0; i < m_count; ++i) {
        if (m_stop || std::chrono::steady_clock::now() > stopAt) {
            break;
        }
        if (m_socket.sendTo(query->from, datagram(i))) {
            ++m_sent;
            ++m_kindCounts[i % 4];
        } else {
            ++m_refused;
        }
    }
    m_seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    m_done = true;
}

} // namespace tarvex::bench
