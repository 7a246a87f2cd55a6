#include "help/help.h"

#include "help/secret.h"
#include "platform/UrlOpener.h"
#include "platform/WebAddress.h"
#include "platform/WindowSystem.h"
#include "text/Version.h"

#include <string>

namespace tarvex {

help::help(WindowSystem& windows, UrlOpener& urls, secret& credits)
    : m_windows(windows)
    , m_urls(urls)
    , m_secret(credits)
{
}

void help::open()
{
    if (m_window.open([this]() -> HelpView& { return m_windows.createHelp(*this); })) {
        m_window.view()->setTexts(std::string("Version ") + kVersion, kHelpWebsite, kHelpIrcHost);
        m_window.view()->show();
    }
}

void help::Form_KeyPress(int code)
{
    if (code != kEnterKey) {
        // Unsigned 16-bit arithmetic wraps by definition; the conversion back
        // to the signed width is modular in C++20.
        const auto sum
            = static_cast<std::uint16_t>(static_cast<std::uint16_t>(m_keySum) + static_cast<std::uint16_t>(code));
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
    if (const auto address = WebAddress::check(std::string("https://") + kHelpWebsite)) {
        m_urls.open(*address).ignore(); // a link that opens nothing tells nothing, as in a browser
    }
}

void help::Form_Unload()
{
    m_window.unloaded();
}

} // namespace tarvex
