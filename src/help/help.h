#pragma once

#include "platform/SecondaryWindowViews.h"

namespace tarvex {

struct Platform;
class secret;

// The help window. Exists at most once; open() on an open window does nothing.
class help : public HelpEvents
{
public:
    help(Platform& platform, secret& credits);

    void open();
    bool isOpen() const { return m_view != nullptr; }

    void Form_KeyPress(int code) override;
    void Label5_Click() override;
    void Form_Unload() override;

private:
    Platform& m_platform;
    secret& m_secret;
    HelpView* m_view = nullptr;
};

} // namespace tarvex
