#pragma once

#include <string>
#include <vector>

namespace tarvex {

// What the subsystems need of the main window; Form1 implements it. Once the
// window has closed the server list and the box text still answer, and the
// calls on the result list and the window state do nothing.
class MainWindow
{
public:
    virtual ~MainWindow() = default;

    // False before start-up and once the window has closed.
    virtual bool isOpen() const = 0;

    // The server list: the drop-down's entries, in order.
    virtual const std::vector<std::string>& servers() const = 0;
    virtual void appendServer(const std::string& entry) = 0;
    virtual void replaceServers(std::vector<std::string> entries) = 0;

    virtual std::string serverBoxText() const = 0;
    // Sets it and runs the change reaction (the result list is cleared), as
    // typing does.
    virtual void setServerBoxText(const std::string& text) = 0;

    virtual void clearResults() = 0;
    virtual void addResultLine(const std::string& line) = 0;

    // True when the regular client is chosen, false for the GL one.
    virtual bool regularClientChosen() const = 0;
    virtual void minimise() = 0;
    virtual void restore() = 0;
};

} // namespace tarvex
