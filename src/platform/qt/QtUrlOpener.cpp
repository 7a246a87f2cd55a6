#include "platform/qt/QtUrlOpener.h"

#include "platform/qt/QtText.h"

#include <QUrl>

namespace tarvex {

Result QtUrlOpener::open(const WebAddress& address)
{
    const QUrl url(fromLatin1(address.text()));
    if (!url.isValid()) {
        return Result::failure(toLatin1(url.errorString()));
    }
    if (!openWithSystem(url)) {
        return Result::failure("the system did not open " + address.text());
    }
    return Result::success();
}

} // namespace tarvex
