#include "platform/qt/QtSecondaryWindow.h"

#include "platform/qt/QtText.h"

#include <QCloseEvent>

namespace tarvex {

QtSecondaryWindow::QtSecondaryWindow(const char* name, const char* title, int clientWidthTwips,
                                     int clientHeightTwips, std::function<void()> onUnload)
    : m_onUnload(std::move(onUnload))
{
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(QString::fromLatin1(title));
    setAttribute(Qt::WA_DeleteOnClose);
    useLayoutFont(this);
    setFixedSize(twips(clientWidthTwips), twips(clientHeightTwips));
}

void QtSecondaryWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (!m_unloaded) {
        m_unloaded = true;
        m_onUnload();
    }
}

} // namespace tarvex
