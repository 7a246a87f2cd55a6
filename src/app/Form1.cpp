#include "app/Form1.h"

#include "launch/JoinServer.h"
#include "serverlist/ServerRemoval.h"
#include "state/Settings.h"

#include <utility>

namespace tarvex {

namespace {
constexpr int kTimerIntervalMs = 100;
}

Form1::Form1(Platform& platform, UpdateHost updateHost)
    : m_platform(platform)
    , m_settings(platform.settings, platform.messages)
    , m_updateHost(std::move(updateHost))
    , m_serverList(platform.files, platform.messages)
    , m_query(m_window, platform.messages, platform.ticks, platform.socket)
    , m_dispatcher(m_query, platform.messages, platform.ticks, platform.socket, platform.urls)
    , m_addServer(m_window, m_query, platform.windows, platform.messages)
    , m_editpaths(platform.windows, m_settings, platform.fileDialog)
    , m_secret(platform.windows)
    , m_help(platform.windows, platform.urls, m_secret)
{
    // A server added in a dialog left open after the window closed: the list
    // was written at closing, so it is written once more to keep it.
    m_window.onAppendedAfterClose([this] { SaveServers(); });
}

Form1::~Form1()
{
    m_platform.timer.stop();
    m_platform.socket.setReceiver(nullptr);
}

void Form1::Form_Load()
{
    MainWindowView& view = m_platform.windows.createMainWindow(*this);
    m_window.attach(view);

    settings::applyClientChoiceDefault(m_settings);
    // Selecting an option from code runs its click handler, so "regular?"
    // ends up exactly "yes" or "no". A store that cannot keep the default
    // still reads "": the regular client is the default all the same.
    const auto choice = settings::read(m_settings, settings::kRegular);
    if (choice == "yes" || choice.empty()) {
        view.setOption1Selected(true);
        Option1_Click();
    } else {
        view.setOption1Selected(false);
        Option2_Click();
    }
    settings::applyClientPathDefaults(m_settings, m_platform.files);

    m_platform.socket.setReceiver([this](const Datagram& datagram) { m_dispatcher.Winsock1_DataArrival(datagram); });
    m_dispatcher.sendUpdateQuery(m_updateHost);

    LoadServers();

    m_platform.timer.start(kTimerIntervalMs, [this] { m_query.Timer1_Timer(); });
    view.show();
}

void Form1::Form_Unload()
{
    SaveServers();
    m_window.detach();
    // The timer and the socket live as long as the window.
    m_platform.timer.stop();
    m_platform.socket.setReceiver(nullptr);
    m_platform.socket.close();
}

void Form1::Combo1_Change()
{
    m_window.clearResults();
}

void Form1::Option1_Click()
{
    settings::save(m_settings, settings::kRegular, "yes").ignore(); // reported by the store
}

void Form1::Option2_Click()
{
    settings::save(m_settings, settings::kRegular, "no").ignore(); // reported by the store
}

void Form1::Command1_Click()
{
    m_addServer.open();
}

void Form1::Command2_Click()
{
    m_query.Command2_Click();
}

void Form1::Command3_Click()
{
    removeChosenServer(m_window);
}

void Form1::Command4_Click()
{
    joinServer(m_window, m_settings, m_platform.files, m_platform.processes, m_platform.messages);
}

void Form1::mnuEdit_Click()
{
    m_editpaths.open();
}

void Form1::mnuHelpMe_Click()
{
    m_help.open();
}

void Form1::mnuExit_Click()
{
    m_window.close();
}

void Form1::LoadServers()
{
    auto entries = m_window.servers();
    for (auto& entry : m_serverList.load()) {
        entries.push_back(std::move(entry));
    }
    m_window.replaceServers(std::move(entries));
    m_window.setServerBoxText(m_window.servers().empty() ? std::string() : m_window.servers().front());
}

void Form1::SaveServers()
{
    m_serverList.save(m_window.servers());
}

} // namespace tarvex
