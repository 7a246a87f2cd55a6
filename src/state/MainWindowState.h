#pragma once

#include "platform/MainWindowView.h"

#include <functional>
#include <string>
#include <vector>

namespace tarvex {

// The main window as every subsystem shares it: the server list, the server
// box and the result list, with the rules that hold them, and the client
// choice. It lives as long as the launcher and shows through the on-screen
// window while that is open. Once the window has closed, the list and the
// box text still answer (a dialog left open may add a server), and the result
// list and the window calls do nothing.
class MainWindowState
{
public:
    // The on-screen window, from start-up (before the list is filled) until it closes.
    void attach(MainWindowView& view) { m_view = &view; }
    void detach();
    bool isOpen() const { return m_view != nullptr; }

    // The drop-down's entries, in order.
    const std::vector<std::string>& servers() const { return m_servers; }
    // Compared exactly (letter case and blanks count); true when it appended.
    bool addIfNotListed(const std::string& entry);
    void replaceServers(std::vector<std::string> entries);
    // Runs after an entry was appended while the window was closed: the list
    // was saved when it closed, and would lose the entry otherwise.
    void onAppendedAfterClose(std::function<void()> hook) { m_appendedAfterClose = std::move(hook); }

    std::string serverBoxText() const;
    // Sets it and runs the change reaction (the result list is cleared), as
    // typing does.
    void setServerBoxText(const std::string& text);

    void clearResults()
    {
        shown([](MainWindowView& view) { view.clearList(); });
    }
    void addResultLine(const std::string& line)
    {
        shown([&](MainWindowView& view) { view.addListLine(line); });
    }

    // True when the regular client is chosen, false for the GL one.
    bool regularClientChosen() const;
    void minimise()
    {
        shown([](MainWindowView& view) { view.minimise(); });
    }
    void restore()
    {
        shown([](MainWindowView& view) { view.restore(); });
    }
    // Closes the on-screen window, as its close box does.
    void close()
    {
        shown([](MainWindowView& view) { view.close(); });
    }

private:
    // Runs call on the on-screen window while there is one.
    template <typename Call> void shown(Call call)
    {
        if (m_view != nullptr) {
            call(*m_view);
        }
    }

    MainWindowView* m_view = nullptr;
    std::vector<std::string> m_servers;
    std::string m_serverBoxText; // kept for the time after the window closed
    std::function<void()> m_appendedAfterClose;
};

} // namespace tarvex
