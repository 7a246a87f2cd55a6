#pragma once

#include "platform/SecondaryWindowViews.h"
#include "state/SecondaryWindow.h"

namespace tarvex {

class MainWindowState;
class MessageBox;
class StatusQuery;
class WindowSystem;

// The host the dialog offers when it opens: the project's own game server.
inline constexpr const char* kDefaultServerHost = "play.tarvex.net";
inline constexpr const char* kDefaultServerPort = "27500";

// The Add Server dialog. Exists at most once; open() on an open dialog does nothing.
class AddServer : public AddServerEvents
{
public:
    AddServer(MainWindowState& window, StatusQuery& query, WindowSystem& windows, MessageBox& messages);

    void open();

    void Command1_Click() override;
    void Command2_Click() override;
    void Form_KeyPress(int code) override;
    void Form_Unload() override;

private:
    void Form_Load();
    void AcceptServer();

    MainWindowState& m_window;
    StatusQuery& m_query;
    WindowSystem& m_windows;
    MessageBox& m_messages;
    SecondaryWindow<AddServerView> m_dialog;
};

} // namespace tarvex
