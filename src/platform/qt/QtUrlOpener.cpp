#include "platform/qt/QtUrlOpener.h"

#include "platform/qt/QtText.h"

#include <QDesktopServices>
#include <QUrl>

namespace tarvex {

void QtUrlOpener::open(const std::string& url)
{
    const QUrl address(fromLatin1(url), QUrl::StrictMode);
    const QString scheme = address.scheme().toLower();
    if (!address.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        return;
    }
    QDesktopServices::openUrl(address);
}

} // namespace tarvex
