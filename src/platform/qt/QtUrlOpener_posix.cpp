#include "platform/qt/QtUrlOpener.h"

#include <QDesktopServices>
#include <QUrl>

namespace tarvex {

void openWithSystem(const QUrl& address)
{
    // The desktop's default browser (xdg-open); no window state can be asked
    // of it.
    QDesktopServices::openUrl(address);
}

} // namespace tarvex
