#include "shared/MainWindowState.h"

#include "platform/MainWindowView.h"

#include <algorithm>

namespace tarvex {

void MainWindowState::attach(MainWindowView& view)
{
    m_view = &view;
    m_view->setComboItems(m_servers);
    m_view->setComboText(m_serverBoxText);
}

void MainWindowState::detach()
{
    m_serverBoxText = serverBoxText();
    m_view = nullptr;
}

bool MainWindowState::isListed(const std::string& entry) const
{
    return std::find(m_servers.begin(), m_servers.end(), entry) != m_servers.end();
}

void MainWindowState::appendServer(const std::string& entry)
{
    m_servers.push_back(entry);
    if (m_view != nullptr) {
        m_view->addComboItem(entry);
    } else if (m_appendedAfterClose) {
        m_appendedAfterClose();
    }
}

void MainWindowState::replaceServers(std::vector<std::string> entries)
{
    m_servers = std::move(entries);
    if (m_view != nullptr) {
        m_view->setComboItems(m_servers);
    }
}

std::string MainWindowState::serverBoxText() const
{
    return m_view != nullptr ? m_view->comboText() : m_serverBoxText;
}

void MainWindowState::setServerBoxText(const std::string& text)
{
    if (m_view != nullptr) {
        m_view->setComboText(text);
    } else {
        m_serverBoxText = text;
    }
    clearResults();
}

void MainWindowState::clearResults()
{
    if (m_view != nullptr) {
        m_view->clearList();
    }
}

void MainWindowState::addResultLine(const std::string& line)
{
    if (m_view != nullptr) {
        m_view->addListLine(line);
    }
}

bool MainWindowState::regularClientChosen() const
{
    return m_view != nullptr && m_view->option1Selected();
}

void MainWindowState::minimise()
{
    if (m_view != nullptr) {
        m_view->minimise();
    }
}

void MainWindowState::restore()
{
    if (m_view != nullptr) {
        m_view->restore();
    }
}

} // namespace tarvex
