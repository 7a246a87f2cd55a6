#pragma once

#include "platform/SecondaryWindowViews.h"
#include "state/SecondaryWindow.h"

#include <cstdint>

namespace tarvex {

class UrlOpener;
class WindowSystem;
class secret;

// The project's own help channels, shown on the help window. The link opens
// the website with "https://" in front.
inline constexpr const char* kHelpWebsite = "www.tarvex.example";
inline constexpr const char* kHelpIrcHost = "irc.tarvex.example";

// Typed character codes whose sum is this, followed by Enter, open the credits.
inline constexpr std::int16_t kHiddenCode = 742;

// The help window. Exists at most once; open() on an open window does nothing.
// The key sum belongs to this object, not to the window, so it survives
// closing and reopening the window for as long as the program runs.
class help : public HelpEvents
{
public:
    help(WindowSystem& windows, UrlOpener& urls, secret& credits);

    void open();

    // Adds every code but Enter to the key sum. The sum is 16 bits wide
    // and wraps around modulo 65536 instead of overflowing, so no amount of
    // typing can break it and it equals the code exactly when the codes typed
    // since the last clearing Enter add up to it modulo 65536.
    void Form_KeyPress(int code) override;
    void Label5_Click() override;
    void Form_Unload() override;

    std::int16_t keySum() const { return m_keySum; }

private:
    WindowSystem& m_windows;
    UrlOpener& m_urls;
    secret& m_secret;
    SecondaryWindow<HelpView> m_window;
    std::int16_t m_keySum = 0;
};

} // namespace tarvex
