#pragma once

#include "help/help.h"
#include "help/secret.h"
#include "launch/editpaths.h"
#include "platform/MainWindowView.h"
#include "platform/Platform.h"
#include "query/StatusQuery.h"
#include "serverlist/AddServer.h"
#include "serverlist/ServerListStore.h"
#include "state/MainWindowState.h"
#include "state/ReportingSettingsStore.h"
#include "updates/ReplyDispatcher.h"
#include "updates/UpdateHost.h"

namespace tarvex {

// The main window: the object the launcher starts with and the only
// long-lived one. It owns the main window's state (server list, server box,
// result list), the timer, the socket and the secondary windows, and
// outlives its on-screen window so that secondary windows left open stay
// safe. It alone sees the whole platform; each part it owns gets only the
// services it uses.
class Form1 final : public MainWindowEvents
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

    MainWindowState& window() { return m_window; }

private:
    Platform& m_platform;
    // Every setting goes through it, so the player hears once when they cannot be kept.
    ReportingSettingsStore m_settings;
    UpdateHost m_updateHost;
    MainWindowState m_window;
    ServerListStore m_serverList;

    StatusQuery m_query;
    ReplyDispatcher m_dispatcher;
    AddServer m_addServer;
    editpaths m_editpaths;
    secret m_secret;
    help m_help;
};

} // namespace tarvex
