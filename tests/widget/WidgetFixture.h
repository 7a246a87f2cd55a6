#pragma once

#include "platform/MainWindowView.h"
#include "platform/SecondaryWindowViews.h"

#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tarvex::test {

// Records every event any of the launcher's windows raises, by handler name;
// typed codes also by themselves.
class RecordingEvents final : public MainWindowEvents,
                              public AddServerEvents,
                              public EditPathsEvents,
                              public HelpEvents,
                              public SecretEvents
{
public:
    void Form_Unload() override { calls.push_back("Form_Unload"); }
    void Combo1_Change() override { calls.push_back("Combo1_Change"); }
    void Option1_Click() override { calls.push_back("Option1_Click"); }
    void Option2_Click() override { calls.push_back("Option2_Click"); }
    void Command1_Click() override { calls.push_back("Command1_Click"); }
    void Command2_Click() override { calls.push_back("Command2_Click"); }
    void Command3_Click() override { calls.push_back("Command3_Click"); }
    void Command4_Click() override { calls.push_back("Command4_Click"); }
    void mnuEdit_Click() override { calls.push_back("mnuEdit_Click"); }
    void mnuHelpMe_Click() override { calls.push_back("mnuHelpMe_Click"); }
    void mnuExit_Click() override { calls.push_back("mnuExit_Click"); }
    void Label5_Click() override { calls.push_back("Label5_Click"); }
    void Form_KeyPress(int code) override
    {
        calls.push_back("Form_KeyPress " + std::to_string(code));
        codes.push_back(code);
    }

    long count(const std::string& call) const { return std::count(calls.begin(), calls.end(), call); }

    std::vector<std::string> calls;
    std::vector<int> codes;
};

// One window of the Qt layer under test, kept (not deleted) when it closes
// so that a test can look at it afterwards.
template <typename Window> class WindowTest : public ::testing::Test
{
protected:
    WindowTest()
        : window(new Window(events))
    {
        window->setAttribute(Qt::WA_DeleteOnClose, false);
    }
    ~WindowTest() override { delete window; }

    // A control by the object name the rest of the program knows it by.
    template <typename T> T* child(const char* name)
    {
        return window->template findChild<T*>(QString::fromLatin1(name));
    }

    RecordingEvents events;
    Window* window;
};

} // namespace tarvex::test
