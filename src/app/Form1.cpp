#include "app/Form1.h"

#include "launch/JoinServer.h"
#include "serverlist/ServerRemoval.h"
#include "shared/Settings.h"

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
    , m_query(*this, platform.messages, platform.ticks, platform.socket)
    , m_dispatcher(*this, m_query, platform.messages, platform.ticks, platform.socket, platform.urls)
    , m_addServer(*this, m_query, m_serverList, platform.windows, platform.messages)
    , m_editpaths(platform.windows, m_settings, platform.fileDialog)
    , m_secret(platform.windows)
    , m_help(platform.windows, platform.urls, m_secret)
{
}

Form1::~Form1()
{
    m_platform.timer.stop();
    m_platform.socket.setReceiver(nullptr);
}

void Form1::Form_Load()
{
    m_view = &m_platform.windows.createMainWindow(*this);

    settings::applyClientChoiceDefault(m_settings);
    // Selecting an option from code runs its click handler, so "regular?"
    // ends up exactly "yes" or "no". A store that cannot keep the default
    // still reads "": the regular client is the default all the same.
    const auto choice = settings::read(m_settings, settings::kRegular);
    if (choice == "yes" || choice.empty()) {
        m_view->setOption1Selected(true);
        Option1_Click();
    } else {
        m_view->setOption1Selected(false);
        Option2_Click();
    }
    settings::applyClientPathDefaults(m_settings, m_platform.files);

    m_platform.socket.setReceiver([this](const Datagram& datagram) { m_dispatcher.Winsock1_DataArrival(datagram); });
    m_dispatcher.sendUpdateQuery(m_updateHost);

    LoadServers();

    m_platform.timer.start(kTimerIntervalMs, [this] { m_query.Timer1_Timer(); });
    m_view->show();
}

void Form1::Form_Unload()
{
    SaveServers();
    m_serverBoxText = serverBoxText();
    m_view = nullptr;
    // The timer and the socket live as long as the window.
    m_platform.timer.stop();
    m_platform.socket.setReceiver(nullptr);
    m_platform.socket.close();
}

void Form1::Combo1_Change()
{
    clearResults();
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
    removeChosenServer(*this);
}

void Form1::Command4_Click()
{
    joinServer(*this, m_settings, m_platform.files, m_platform.processes, m_platform.messages);
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
    withView([](MainWindowView& view) { view.close(); });
}

void Form1::LoadServers()
{
    auto entries = m_servers;
    for (auto& entry : m_serverList.load()) {
        entries.push_back(std::move(entry));
    }
    replaceServers(std::move(entries));
    setServerBoxText(m_servers.empty() ? std::string() : m_servers.front());
}

void Form1::SaveServers()
{
    m_serverList.save(m_servers);
}

std::string Form1::serverBoxText() const
{
    return m_view != nullptr ? m_view->comboText() : m_serverBoxText;
}

void Form1::setServerBoxText(const std::string& text)
{
    if (m_view != nullptr) {
        m_view->setComboText(text);
    } else {
        m_serverBoxText = text;
    }
    Combo1_Change();
}

void Form1::appendServer(const std::string& entry)
{
    m_servers.push_back(entry);
    withView([&](MainWindowView& view) { view.addComboItem(entry); });
}

void Form1::replaceServers(std::vector<std::string> entries)
{
    m_servers = std::move(entries);
    withView([this](MainWindowView& view) { view.setComboItems(m_servers); });
}

void Form1::clearResults()
{
    withView([](MainWindowView& view) { view.clearList(); });
}

void Form1::addResultLine(const std::string& line)
{
    withView([&](MainWindowView& view) { view.addListLine(line); });
}

bool Form1::regularClientChosen() const
{
    return m_view != nullptr && m_view->option1Selected();
}

void Form1::minimise()
{
    withView([](MainWindowView& view) { view.minimise(); });
}

void Form1::restore()
{
    withView([](MainWindowView& view) { view.restore(); });
}

} // namespace tarvex
