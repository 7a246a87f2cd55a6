#pragma once

#include "platform/Platform.h"
#include "platform/qt/QtControls.h"
#include "platform/qt/QtDatagramSocket.h"
#include "platform/qt/QtFileDialog.h"
#include "platform/qt/QtFileSystem.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtProcessStarter.h"
#include "platform/qt/QtSettingsStore.h"
#include "platform/qt/QtTickCounter.h"
#include "platform/qt/QtTimer.h"
#include "platform/qt/QtUrlOpener.h"
#include "platform/qt/QtWindowSystem.h"

#include <QApplication>
#include <QIcon>

namespace tarvex {

// The ten Qt services, built in the order they need each other. Needs a
// QApplication first; gives every window of the application the launcher's
// icon.
class QtPlatform
{
public:
    QtPlatform() { QApplication::setWindowIcon(launcherIcon()); }
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    Platform platform()
    {
        return Platform{windows, messages, socket, timer, ticks, settings, files, processes, fileDialog, urls};
    }

    QtWindowSystem windows;
    QtMessageBox messages;
    QtTickCounter ticks;
    QtDatagramSocket socket{ticks};
    QtTimer timer;
    QtSettingsStore settings;
    QtFileSystem files;
    QtProcessStarter processes;
    QtFileDialog fileDialog;
    QtUrlOpener urls;
};

} // namespace tarvex
