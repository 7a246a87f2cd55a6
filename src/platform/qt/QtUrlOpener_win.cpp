#include "platform/qt/QtUrlOpener.h"

#include <QUrl>

// windows.h first: shellapi.h builds on its types.
#include <windows.h>

#include <shellapi.h>

namespace tarvex {

bool openWithSystem(const QUrl& address)
{
    // The shell's "open" verb starts the player's default browser.
    // Minimised without activation: a notice can open while the player is
    // typing in the launcher, and the keyboard focus stays there (a browser
    // already running may still bring itself forward).
    const QString text = address.toString(QUrl::FullyEncoded);
    const HINSTANCE started = ShellExecuteW(nullptr, L"open", reinterpret_cast<const wchar_t*>(text.utf16()), nullptr,
                                            nullptr, SW_SHOWMINNOACTIVE);
    // Above 32 is success; the value is no handle, only a number.
    return reinterpret_cast<INT_PTR>(started) > 32;
}

} // namespace tarvex
