#include "platform/qt/QtPlatform.h"

#include "platform/qt/QtControls.h"

#include <QApplication>
#include <QIcon>

namespace tarvex {

QtPlatform::QtPlatform()
{
    QApplication::setWindowIcon(launcherIcon());
}

Platform QtPlatform::platform()
{
    return Platform{windows, messages, socket, timer, ticks, settings, files, processes, fileDialog, urls};
}

} // namespace tarvex
