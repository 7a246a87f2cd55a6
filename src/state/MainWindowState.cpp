#include "state/MainWindowState.h"

#include "platform/MainWindowView.h"

#include <algorithm>

namespace tarvex {

void MainWindowState::detach()
{
    m_serverBoxText = serverBoxText();
    m_view = nullptr;
}

bool MainWindowState::addIfNotListed(const std::string& entry)
{
    if (std::find(m_servers.begin(), m_servers.end(), entry) != m_servers.end()) {
        return false;
    }
    m_servers.push_back(entry);
    if (m_view == nullptr && m_appendedAfterClose) {
        m_appendedAfterClose();
    }
    shown([&](MainWindowView& view) { view.addComboItem(entry); });
    return true;
}

void MainWindowState::replaceServers(std::vector<std::string> entries)
{
    m_servers = std::move(entries);
    shown([this](MainWindowView& view) { view.setComboItems(m_servers); });
}

std::string MainWindowState::serverBoxText() const
{
    return m_view != nullptr ? m_view->comboText() : m_serverBoxText;
}

void MainWindowState::setServerBoxText(const std::string& text)
{
    m_serverBoxText = text;
    shown([&](MainWindowView& view) { view.setComboText(text); });
    clearResults();
}

bool MainWindowState::regularClientChosen() const
{
    return m_view != nullptr && m_view->option1Selected();
}

} // namespace tarvex
