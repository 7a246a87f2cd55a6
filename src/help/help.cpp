#include "help/help.h"

#include "help/secret.h"
#include "platform/Platform.h"

namespace tarvex {

help::help(Platform& platform, secret& credits)
    : m_platform(platform)
    , m_secret(credits)
{
}

void help::open()
{
    if (m_view != nullptr) {
        return;
    }
    m_view = &m_platform.windows.createHelp(*this);
    m_view->show();
}

void help::Form_KeyPress(int)
{
    // TODO(help): the hidden code.
}

void help::Label5_Click()
{
    // TODO(help): open the website.
}

void help::Form_Unload()
{
    m_view = nullptr;
}

} // namespace tarvex
