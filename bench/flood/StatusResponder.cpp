#include "StatusResponder.h"

#include "query/StatusQuery.h"

namespace tarvex::bench {

StatusResponder::StatusResponder()
    : m_thread([this] { run(); })
{
}

StatusResponder::~StatusResponder()
{
    m_stop = true;
    m_thread.join();
}

void StatusResponder::run()
{
    const std::string query(kStatusQuery);
    const std::string reply = "\xFF\xFF\xFF\xFFn\\hostname\\After Flood\\map\\e1m1\n"
                              "1 0 0 999 \"Alice\" \"base\" 0 0\n";
    while (!m_stop) {
        const auto received = m_socket.receive(100);
        if (received && received->bytes == query && m_socket.sendTo(received->from, reply)) {
            ++m_answered;
        }
    }
}

} // namespace tarvex::bench
