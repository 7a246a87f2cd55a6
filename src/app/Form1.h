#pragma once

#include "help/help.h"
#include "help/secret.h"
#include "launch/editpaths.h"
#include "platform/MainWindowView.h"
#include "platform/Platform.h"
#include "query/StatusQuery.h"
#include "serverlist/AddServer.h"
#include "serverlist/ServerListStore.h"
#include "shared/MainWindow.h"
#include "shared/ReportingSettingsStore.h"
#include "updates/ReplyDispatcher.h"
#include "updates/UpdateHost.h"

#include <string>
#include <vector>

namespace tarvex {

// The main window: the object the launcher starts with and the only
// long-lived one. It owns the server list, the result list, the client
// choice, the timer, the socket and the secondary windows, and outlives its
// on-screen window so that secondary windows left open stay safe. It alone
// sees the whole platform; each part it owns gets only the services it uses.
class Form1 final : public MainWindowEvents, public MainWindow
{
public:
    Form1(Platform& platform, UpdateHost updateHost);
    ~Form1() override;
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

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

    bool isOpen() const override { return m_view != nullptr; }
    const std::vector<std::string>& servers() const override { return m_servers; }
    void appendServer(const std::string& entry) override;
    void replaceServers(std::vector<std::string> entries) override;
    std::string serverBoxText() const override;
    void setServerBoxText(const std::string& text) override;
    void clearResults() override;
    void addResultLine(const std::string& line) override;
    bool regularClientChosen() const override;
    void minimise() override;
    void restore() override;

private:
    // Runs call on the on-screen window while there is one.
    template <typename Call> void withView(Call call) const
    {
        if (m_view != nullptr) {
            call(*m_view);
        }
    }

    Platform& m_platform;
    // Every setting goes through it, so the player hears once when they cannot be kept.
    ReportingSettingsStore m_settings;
    UpdateHost m_updateHost;
    MainWindowView* m_view = nullptr;

    std::vector<std::string> m_servers;
    std::string m_serverBoxText; // kept for the time after the window closed
    ServerListStore m_serverList;

    StatusQuery m_query;
    ReplyDispatcher m_dispatcher;
    AddServer m_addServer;
    editpaths m_editpaths;
    secret m_secret;
    help m_help;
};

} // namespace tarvex
