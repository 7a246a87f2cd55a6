#pragma once

#include "platform/SecondaryWindowViews.h"
#include "state/SecondaryWindow.h"

namespace tarvex {

class WindowSystem;

// The credits window. Exists at most once; open() on an open window does nothing.
class secret : public SecretEvents
{
public:
    explicit secret(WindowSystem& windows);

    void open();

    void Form_Unload() override;

private:
    WindowSystem& m_windows;
    SecondaryWindow<SecretView> m_window;
};

} // namespace tarvex
