#include "platform/qt/QtUrlOpener.h"

#include "platform/qt/QtText.h"

#include <QUrl>

namespace tarvex {

void QtUrlOpener::open(const std::string& url)
{
    // Strict parsing refuses blanks and control characters, so the address
    // reaches the opener as one argument and cannot carry a second one.
    const QUrl address(fromLatin1(url), QUrl::StrictMode);
    const QString scheme = address.scheme().toLower();
    if (!address.isValid() || address.host().isEmpty()
        || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        return;
    }
    openWithSystem(address);
}

} // namespace tarvex
