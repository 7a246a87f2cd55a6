#pragma once

#include "platform/SecondaryWindowViews.h"

namespace tarvex {

class Form1;

// The host the dialog offers when it opens: the project's own game server.
inline constexpr const char* kDefaultServerHost = "play.tarvex.net";
inline constexpr const char* kDefaultServerPort = "27500";
inline constexpr const char* kFillInBothFields = "You must fill in both fields.";

// The Add Server dialog. Exists at most once; open() on an open dialog does nothing.
class AddServer : public AddServerEvents
{
public:
    explicit AddServer(Form1& form);

    void open();
    bool isOpen() const { return m_view != nullptr; }

    void Command1_Click() override;
    void Command2_Click() override;
    void Form_KeyPress(int code) override;
    void Form_Unload() override;

private:
    void Form_Load();
    void AcceptServer();

    Form1& m_form;
    AddServerView* m_view = nullptr;
};

} // namespace tarvex
