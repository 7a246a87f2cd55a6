#pragma once

#include "platform/SecondaryWindowViews.h"
#include "platform/qt/QtSecondaryWindow.h"

namespace tarvex {

class QtHelpWindow final : public QtSecondaryWindow, public HelpView
{
public:
    explicit QtHelpWindow(HelpEvents& events);

    void show() override;
    void close() override;

private:
    HelpEvents& m_events;
};

} // namespace tarvex
