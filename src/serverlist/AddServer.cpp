#include "serverlist/AddServer.h"

#include "app/Form1.h"

#include <algorithm>
#include <string>

namespace tarvex {

namespace {
constexpr int kEnter = 13;
}

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
    m_view->setText1(kDefaultServerHost);
    m_view->setText2(kDefaultServerPort);
}

void AddServer::Command1_Click()
{
    AcceptServer();
}

void AddServer::Command2_Click()
{
    m_view->close();
}

void AddServer::Form_KeyPress(int code)
{
    if (code == kEnter) {
        AcceptServer();
    }
}

void AddServer::Form_Unload()
{
    m_view = nullptr;
}

void AddServer::AcceptServer()
{
    if (m_view == nullptr) {
        return;
    }
    const std::string host = m_view->text1();
    const std::string port = m_view->text2();
    // Only truly empty fields are refused: blanks are the player's to type.
    if (host.empty() || port.empty()) {
        m_form.platform().messages.show(kFillInBothFields, "Error");
        return;
    }

    const std::string entry = host + ":" + port;
    const auto& servers = m_form.servers();
    const bool known = std::find(servers.begin(), servers.end(), entry) != servers.end();

    if (!known) {
        m_form.setServerBoxText(entry);
        m_form.appendServer(entry);
    }
    if (m_form.isOpen()) {
        m_form.query().QueryServer(host, port);
    } else if (!known) {
        // The main window has closed and servers.cfg has been written, so
        // the list in memory would be thrown away: write it once more to keep
        // the player's server. There is no socket left to query it with and
        // no result list to show the answer in.
        m_form.SaveServers();
    }

    // A message box shown by the query runs a nested event loop, in which
    // the dialog may have been closed already.
    if (m_view != nullptr) {
        m_view->close();
    }
}

} // namespace tarvex
