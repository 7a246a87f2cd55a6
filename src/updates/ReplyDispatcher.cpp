#include "updates/ReplyDispatcher.h"

#include "app/Form1.h"
#include "platform/DatagramSocket.h"

namespace tarvex {

namespace {
constexpr const char* kUpdateQuery = "Updates?";
}

ReplyDispatcher::ReplyDispatcher(Form1& form)
    : m_form(form)
{
}

void ReplyDispatcher::sendUpdateQuery(const UpdateHost& host)
{
    // No network is a normal case: a failed lookup or send stays silent.
    m_form.platform().socket.send(host.host, host.port, kUpdateQuery, nullptr);
}

void ReplyDispatcher::Winsock1_DataArrival(const Datagram&)
{
    // TODO(update notices): end the wait, dispatch notices and status replies.
}

} // namespace tarvex
