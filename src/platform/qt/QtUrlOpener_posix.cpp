#include "platform/qt/QtUrlOpener.h"

#include <QDesktopServices>
#include <QUrl>

namespace tarvex {

bool openWithSystem(const QUrl& address)
{
    // The desktop's default browser (xdg-open); no window state can be asked
    // of it.
    return QDesktopServices::openUrl(address);
}

} // namespace tarvex
