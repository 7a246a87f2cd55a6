#include "help/secret.h"

#include "platform/WindowSystem.h"

namespace tarvex {

secret::secret(WindowSystem& windows)
    : m_windows(windows)
{
}

void secret::open()
{
    if (m_window.open([this]() -> SecretView& { return m_windows.createSecret(*this); })) {
        m_window.view()->show();
    }
}

void secret::Form_Unload()
{
    m_window.unloaded();
}

} // namespace tarvex
