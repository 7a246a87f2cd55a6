#pragma once

#include "help/help.h"
#include "help/secret.h"
#include "launch/editpaths.h"
#include "platform/MainWindowView.h"
#include "platform/Platform.h"
#include "query/StatusQuery.h"
#include "serverlist/AddServer.h"
#include "updates/ReplyDispatcher.h"
#include "updates/UpdateHost.h"

#include <string>
#include <vector>

namespace tarvex {

inline constexpr const char* kLauncherTitle = "Tarvex Game Launcher";

// The main window: the object the launcher starts with and the only
// long-lived one. It owns the server list, the result list, the client
// choice, the timer, the socket and the secondary windows, and outlives its
// on-screen window so that secondary windows left open stay safe.
class Form1 : public MainWindowEvents
{
public:
    Form1(Platform& platform, UpdateHost updateHost);
    ~Form1() override;
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // Start-up: settings defaults, client choice, update query, server list,
    // then the window shows.
    void Form_Load();

    void Form_Unload() override;
    void Combo1_Change() override;
    void Option1_Click() override;
    void Option2_Click() override;
    void Command1_Click() override;
    void Command2_Click() override;
    void Command3_Click() override;
    void Command4_Click() override;
    void mnuEdit_Click() override;
    void mnuHelpMe_Click() override;
    void mnuExit_Click() override;

    void LoadServers();
    void SaveServers();

    // What the other parts of the launcher use.
    Platform& platform() { return m_platform; }
    // False before start-up and once the window has closed.
    bool isOpen() const { return m_view != nullptr; }

    const std::vector<std::string>& servers() const { return m_servers; }
    std::string serverBoxText() const;
    // Sets the server box's text and runs the change reaction (the result list
    // is cleared), as typing does.
    void setServerBoxText(const std::string& text);
    void appendServer(const std::string& entry);
    void replaceServers(std::vector<std::string> entries);

    void clearResults();
    void addResultLine(const std::string& line);

    bool regularClientChosen() const;
    void minimise();
    void restore();

    StatusQuery& query() { return m_query; }

private:
    Platform& m_platform;
    UpdateHost m_updateHost;
    MainWindowView* m_view = nullptr;

    std::vector<std::string> m_servers;
    std::string m_serverBoxText; // kept for the time after the window closed
    std::string m_serverListReadPath;
    bool m_serverListUnreadable = false;

    StatusQuery m_query;
    ReplyDispatcher m_dispatcher;
    AddServer m_addServer;
    editpaths m_editpaths;
    secret m_secret;
    help m_help;
};

} // namespace tarvex
