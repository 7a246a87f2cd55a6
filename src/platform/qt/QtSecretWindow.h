#pragma once

#include "platform/SecondaryWindowViews.h"
#include "platform/qt/QtSecondaryWindow.h"

namespace tarvex {

class QtSecretWindow final : public QtSecondaryWindow, public SecretView
{
public:
    explicit QtSecretWindow(SecretEvents& events);

    void show() override;
    void close() override;

private:
    SecretEvents& m_events;
};

} // namespace tarvex
