#include "help/secret.h"

#include "platform/Platform.h"

namespace tarvex {

secret::secret(Platform& platform)
    : m_platform(platform)
{
}

void secret::open()
{
    if (m_view != nullptr) {
        return;
    }
    m_view = &m_platform.windows.createSecret(*this);
    m_view->show();
}

void secret::Form_Unload()
{
    m_view = nullptr;
}

} // namespace tarvex
