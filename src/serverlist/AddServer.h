#pragma once

#include "platform/SecondaryWindowViews.h"

namespace tarvex {

class Form1;

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

    Form1& m_form;
    AddServerView* m_view = nullptr;
};

} // namespace tarvex
