#include "serverlist/AddServer.h"

#include "platform/MessageBox.h"
#include "platform/WindowSystem.h"
#include "query/StatusQuery.h"
#include "state/MainWindowState.h"

#include <string>

namespace tarvex {

AddServer::AddServer(MainWindowState& window, StatusQuery& query, WindowSystem& windows, MessageBox& messages)
    : m_window(window)
    , m_query(query)
    , m_windows(windows)
    , m_messages(messages)
{
}

void AddServer::open()
{
    if (m_dialog.open([this]() -> AddServerView& { return m_windows.createAddServer(*this); })) {
        Form_Load();
    }
}

void AddServer::Form_Load()
{
    auto* view = m_dialog.view();
    view->show();
    view->setText1(kDefaultServerHost);
    view->setText2(kDefaultServerPort);
}

void AddServer::Command1_Click()
{
    AcceptServer();
}

void AddServer::Command2_Click()
{
    m_dialog.close();
}

void AddServer::Form_KeyPress(int code)
{
    if (code == kEnterKey) {
        AcceptServer();
    }
}

void AddServer::Form_Unload()
{
    m_dialog.unloaded();
}

void AddServer::AcceptServer()
{
    if (!m_dialog.isOpen()) {
        return;
    }
    const unsigned opening = m_dialog.openings();
    const std::string host = m_dialog.view()->text1();
    const std::string port = m_dialog.view()->text2();
    // Only truly empty fields are refused: blanks are the player's to type.
    if (host.empty() || port.empty()) {
        m_messages.show("You must fill in both fields.", "Error");
        return;
    }

    const std::string entry = host + ":" + port;
    if (m_window.addIfNotListed(entry)) {
        m_window.setServerBoxText(entry);
    }
    m_query.QueryServer(host, port);

    // A message box shown by the query runs a nested event loop, in which
    // the dialog may have been closed already, or closed and opened again:
    // that new dialog is the player's, not this Ok's to close.
    if (m_dialog.openings() == opening) {
        m_dialog.close();
    }
}

} // namespace tarvex
