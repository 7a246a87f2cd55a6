#include "serverlist/AddServer.h"

#include "app/Form1.h"

namespace tarvex {

AddServer::AddServer(Form1& form)
    : m_form(form)
{
}

void AddServer::open()
{
    if (m_view != nullptr) {
        return;
    }
    m_view = &m_form.platform().windows.createAddServer(*this);
    Form_Load();
}

void AddServer::Form_Load()
{
    m_view->show();
}

void AddServer::Command1_Click()
{
    // TODO(add server): accept the server.
}

void AddServer::Command2_Click()
{
    m_view->close();
}

void AddServer::Form_KeyPress(int)
{
    // TODO(add server): Enter accepts.
}

void AddServer::Form_Unload()
{
    m_view = nullptr;
}

} // namespace tarvex
