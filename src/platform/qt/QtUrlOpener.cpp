#include "platform/qt/QtUrlOpener.h"

#include "platform/qt/QtText.h"

#include <QUrl>

namespace tarvex {

void QtUrlOpener::open(const std::string& url)
{
    // Checked before it came here (no blank, no control character, a web
    // address with a host): one more check of its own could only refuse what
    // the launcher already counted as opened.
    openWithSystem(QUrl(fromLatin1(url)));
}

} // namespace tarvex
