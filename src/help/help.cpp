#include "help/help.h"

#include "help/secret.h"
#include "platform/Platform.h"

#include <string>

namespace tarvex {

namespace {
constexpr int kEnter = 13;
}

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
    m_view->setAddresses(kHelpWebsite, kHelpIrcHost);
    m_view->show();
}

void help::Form_KeyPress(int code)
{
    if (code != kEnter) {
        // Unsigned 16-bit arithmetic wraps by definition; the conversion back
        // to the signed width is modular in C++20.
        const auto sum = static_cast<std::uint16_t>(static_cast<std::uint16_t>(m_keySum) +
                                                    static_cast<std::uint16_t>(code));
        m_keySum = static_cast<std::int16_t>(sum);
        return;
    }
    if (m_keySum == kHiddenCode) {
        m_secret.open();
    } else {
        m_keySum = 0;
    }
}

void help::Label5_Click()
{
    m_platform.urls.open(std::string("https://") + kHelpWebsite);
}

void help::Form_Unload()
{
    m_view = nullptr;
}

} // namespace tarvex
