#pragma once

#include "shared/MainWindow.h"

#include <string>
#include <vector>

namespace tarvex::test {

// The main window as the subsystems see it, kept as plain fields a test sets
// and reads. Like Form1, it keeps the list and the box text after closing
// and then ignores the result list.
class FakeMainWindow final : public MainWindow
{
public:
    bool isOpen() const override { return open; }
    const std::vector<std::string>& servers() const override { return items; }
    void appendServer(const std::string& entry) override { items.push_back(entry); }
    void replaceServers(std::vector<std::string> entries) override { items = std::move(entries); }
    std::string serverBoxText() const override { return text; }
    void setServerBoxText(const std::string& value) override
    {
        text = value;
        clearResults();
    }
    void clearResults() override
    {
        if (open) {
            lines.clear();
        }
    }
    void addResultLine(const std::string& line) override
    {
        if (open) {
            lines.push_back(line);
        }
    }
    bool regularClientChosen() const override { return open && option1; }
    void minimise() override { minimised = minimised || open; }
    void restore() override { minimised = false; }

    std::string text;
    std::vector<std::string> items;
    std::vector<std::string> lines;
    bool option1 = true;
    bool minimised = false;
    bool open = true;
};

} // namespace tarvex::test
