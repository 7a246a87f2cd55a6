#pragma once

#include "platform/WindowSystem.h"
#include "query/StatusReply.h"
#include "state/MainWindowState.h"

#include <memory>
#include <string>
#include <vector>

namespace tarvex::test {

// Views that remember what the launcher did to them and let a test act as
// the player. Closing a view raises Form_Unload, as the real windows do.

class FakeMainWindowView final : public MainWindowView
{
public:
    // Without events, a subsystem's test closes the window through the state.
    explicit FakeMainWindowView(MainWindowEvents* events = nullptr)
        : events(events)
    {
    }

    std::string comboText() const override { return text; }
    void setComboText(const std::string& value) override { text = value; }
    void setComboItems(const std::vector<std::string>& values) override { items = values; }
    void addComboItem(const std::string& item) override { items.push_back(item); }
    void clearList() override { lines.clear(); }
    void addListLine(const std::string& line) override { lines.push_back(line); }
    bool showsStatus() const { return lines.size() == std::tuple_size_v<StatusLines>; }
    bool option1Selected() const override { return option1; }
    void setOption1Selected(bool selected) override { option1 = selected; }
    void show() override { shown = true; }
    void minimise() override { minimised = true; }
    void restore() override { minimised = false; }
    void close() override
    {
        if (open) {
            open = false;
            if (events != nullptr) {
                events->Form_Unload();
            }
        }
    }

    // The player types into the server box (each keystroke raises a change).
    void type(const std::string& value)
    {
        text = value;
        if (events != nullptr) {
            events->Combo1_Change();
        }
    }
    // The player picks an entry from the drop-down: no change event.
    void pick(std::size_t index) { text = items.at(index); }

    MainWindowEvents* events;
    std::string text;
    std::vector<std::string> items;
    std::vector<std::string> lines;
    bool option1 = true; // selected at design
    bool shown = false;
    bool minimised = false;
    bool open = true;
};

// The main window's state, shown through a fake view: what a subsystem's
// test builds the subsystem with.
struct ShownMainWindow
{
    ShownMainWindow() { state.attach(view); }

    FakeMainWindowView view;
    MainWindowState state;
};

template <typename Events> class FakeSecondaryWindow
{
public:
    explicit FakeSecondaryWindow(Events& events)
        : events(events)
    {
    }

    void closeWindow()
    {
        if (open) {
            open = false;
            events.Form_Unload();
        }
    }

    Events& events;
    bool shown = false;
    bool open = true;
};

class FakeAddServerWindow final : public AddServerView, public FakeSecondaryWindow<AddServerEvents>
{
public:
    using FakeSecondaryWindow::FakeSecondaryWindow;
    std::string text1() const override { return host; }
    void setText1(const std::string& value) override { host = value; }
    std::string text2() const override { return port; }
    void setText2(const std::string& value) override { port = value; }
    void show() override { shown = true; }
    void close() override { closeWindow(); }

    std::string host;
    std::string port;
};

class FakeEditPathsWindow final : public EditPathsView, public FakeSecondaryWindow<EditPathsEvents>
{
public:
    using FakeSecondaryWindow::FakeSecondaryWindow;
    std::string text(PathsBox box) const override { return texts.at(static_cast<std::size_t>(box)); }
    void setText(PathsBox box, const std::string& value) override { texts.at(static_cast<std::size_t>(box)) = value; }
    void show() override { shown = true; }
    void close() override { closeWindow(); }

    std::vector<std::string> texts = std::vector<std::string>(4);
};

class FakeHelpWindow final : public HelpView, public FakeSecondaryWindow<HelpEvents>
{
public:
    using FakeSecondaryWindow::FakeSecondaryWindow;
    void setTexts(const std::string& shownVersion, const std::string& shownWebsite,
                  const std::string& shownIrcHost) override
    {
        version = shownVersion;
        website = shownWebsite;
        ircHost = shownIrcHost;
    }
    void show() override { shown = true; }
    void close() override { closeWindow(); }

    // The player types these characters while the window is active.
    void type(const std::string& characters)
    {
        for (const char c : characters) {
            events.Form_KeyPress(static_cast<unsigned char>(c));
        }
    }
    void pressEnter() { events.Form_KeyPress(kEnterKey); }

    std::string version;
    std::string website;
    std::string ircHost;
};

class FakeSecretWindow final : public SecretView, public FakeSecondaryWindow<SecretEvents>
{
public:
    using FakeSecondaryWindow::FakeSecondaryWindow;
    void show() override { shown = true; }
    void close() override { closeWindow(); }
};

// Keeps every window it made for the whole test, so a test can still look at
// a window after it has closed.
class FakeWindowSystem final : public WindowSystem
{
public:
    MainWindowView& createMainWindow(MainWindowEvents& events) override
    {
        mainWindows.push_back(std::make_unique<FakeMainWindowView>(&events));
        return *mainWindows.back();
    }
    AddServerView& createAddServer(AddServerEvents& events) override
    {
        addServers.push_back(std::make_unique<FakeAddServerWindow>(events));
        return *addServers.back();
    }
    EditPathsView& createEditPaths(EditPathsEvents& events) override
    {
        editPaths.push_back(std::make_unique<FakeEditPathsWindow>(events));
        return *editPaths.back();
    }
    HelpView& createHelp(HelpEvents& events) override
    {
        helps.push_back(std::make_unique<FakeHelpWindow>(events));
        return *helps.back();
    }
    SecretView& createSecret(SecretEvents& events) override
    {
        secrets.push_back(std::make_unique<FakeSecretWindow>(events));
        return *secrets.back();
    }

    FakeMainWindowView& main() { return *mainWindows.at(0); }

    std::vector<std::unique_ptr<FakeMainWindowView>> mainWindows;
    std::vector<std::unique_ptr<FakeAddServerWindow>> addServers;
    std::vector<std::unique_ptr<FakeEditPathsWindow>> editPaths;
    std::vector<std::unique_ptr<FakeHelpWindow>> helps;
    std::vector<std::unique_ptr<FakeSecretWindow>> secrets;
};

} // namespace tarvex::test
