#pragma once

#include "updates/UpdateHost.h"

namespace tarvex {

class Form1;
struct Datagram;

// Sends the update query and routes every datagram that arrives.
class ReplyDispatcher
{
public:
    explicit ReplyDispatcher(Form1& form);

    void sendUpdateQuery(const UpdateHost& host);
    void Winsock1_DataArrival(const Datagram& datagram);

private:
    Form1& m_form;
};

} // namespace tarvex
