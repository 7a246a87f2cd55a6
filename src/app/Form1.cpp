#include "app/Form1.h"

#include "app/ServerListLocation.h"
#include "app/Settings.h"
#include "launch/JoinServer.h"
#include "serverlist/ServerListFile.h"
#include "serverlist/ServerRemoval.h"

#include <utility>

namespace tarvex {

namespace {
constexpr int kTimerIntervalMs = 100;
}

Form1::Form1(Platform& platform, UpdateHost updateHost)
    : m_platform(platform)
    , m_updateHost(std::move(updateHost))
    , m_query(*this)
    , m_dispatcher(*this)
    , m_addServer(*this)
    , m_editpaths(platform)
    , m_secret(platform)
    , m_help(platform, m_secret)
{
}

Form1::~Form1()
{
    m_platform.timer.stop();
    m_platform.socket.setReceiver(nullptr);
}

void Form1::Form_Load()
{
    auto& store = m_platform.settings;
    m_view = &m_platform.windows.createMainWindow(*this);

    settings::applyClientChoiceDefault(store);
    // Selecting an option from code runs its click handler, so "regular?"
    // ends up exactly "yes" or "no". A store that cannot keep the default
    // still reads "": the regular client is the default all the same.
    const auto choice = settings::read(store, settings::kRegular);
    if (choice == "yes" || choice.empty()) {
        m_view->setOption1Selected(true);
        Option1_Click();
    } else {
        m_view->setOption1Selected(false);
        Option2_Click();
    }
    settings::applyClientPathDefaults(store, m_platform.files);

    m_platform.socket.setReceiver([this](const Datagram& datagram) {
        m_dispatcher.Winsock1_DataArrival(datagram);
    });
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
    settings::save(m_platform.settings, settings::kRegular, "yes");
}

void Form1::Option2_Click()
{
    settings::save(m_platform.settings, settings::kRegular, "no");
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
    joinServer(*this);
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
    if (m_view != nullptr) {
        m_view->close();
    }
}

void Form1::LoadServers()
{
    const auto path = locateServerList(m_platform.files).readPath;
    m_serverListReadPath = path;
    const auto file = m_platform.files.readFile(path);
    if (file.status == FileRead::Status::Missing) {
        return;
    }
    if (file.status == FileRead::Status::Failed) {
        // Keep the file for the player to rescue; SaveServers will not
        // overwrite it without saying so.
        m_serverListUnreadable = true;
        m_platform.messages.show("The server list " + path + " could not be read (" + file.reason +
                                     "). The launcher starts with an empty list.",
                                 kLauncherTitle);
        return;
    }
    auto entries = m_servers;
    for (auto& entry : serverlistfile::parse(file.bytes)) {
        entries.push_back(std::move(entry));
    }
    replaceServers(std::move(entries));
    setServerBoxText(m_servers.empty() ? std::string() : m_servers.front());
}

void Form1::SaveServers()
{
    // Decided now: a directory that became read-only during the run still
    // gets the list saved somewhere the player can find it.
    const auto path = locateServerList(m_platform.files).writePath;
    const auto bytes = serverlistfile::serialize(m_servers);
    if (m_serverListUnreadable) {
        if (!bytes.empty()) {
            m_platform.messages.show("The server list " + m_serverListReadPath +
                                         " could not be read at start-up, so it was left as it was. "
                                         "The servers of this session were not saved.",
                                     kLauncherTitle);
        }
        return;
    }
    const auto error = m_platform.files.replaceFile(path, bytes);
    if (!error.empty()) {
        m_platform.messages.show("The server list could not be saved to " + path + " (" + error +
                                     "). The file was left as it was.",
                                 kLauncherTitle);
    }
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
    if (m_view != nullptr) {
        m_view->addComboItem(entry);
    }
}

void Form1::replaceServers(std::vector<std::string> entries)
{
    m_servers = std::move(entries);
    if (m_view != nullptr) {
        m_view->setComboItems(m_servers);
    }
}

void Form1::clearResults()
{
    if (m_view != nullptr) {
        m_view->clearList();
    }
}

void Form1::addResultLine(const std::string& line)
{
    if (m_view != nullptr) {
        m_view->addListLine(line);
    }
}

bool Form1::regularClientChosen() const
{
    return m_view != nullptr && m_view->option1Selected();
}

void Form1::minimise()
{
    if (m_view != nullptr) {
        m_view->minimise();
    }
}

void Form1::restore()
{
    if (m_view != nullptr) {
        m_view->restore();
    }
}

} // namespace tarvex
