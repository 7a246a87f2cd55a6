// The one wiring place: the Qt platform is built here and handed to the launcher.

#include "app/Form1.h"
#include "app/ReportingSettingsStore.h"
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
#include "updates/UpdateHost.h"

#include <QApplication>
#include <QIcon>

#include <cstdlib>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tarvex/icon.png")));

    tarvex::QtWindowSystem windows;
    tarvex::QtMessageBox messages;
    tarvex::QtTickCounter ticks;
    tarvex::QtDatagramSocket socket(ticks);
    tarvex::QtTimer timer;
    tarvex::QtSettingsStore settingsFile;
    tarvex::ReportingSettingsStore settings(settingsFile, messages);
    tarvex::QtFileSystem files;
    tarvex::QtProcessStarter processes;
    tarvex::QtFileDialog fileDialog;
    tarvex::QtUrlOpener urls;
    tarvex::Platform platform{windows, messages, socket, timer, ticks, settings, files, processes, fileDialog, urls};

    tarvex::Form1 form(platform, tarvex::updateHostFrom(std::getenv("TARVEX_UPDATE_HOST")));
    form.Form_Load();
    return QApplication::exec();
}
