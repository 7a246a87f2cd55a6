// The one wiring place: the Qt platform is built here and handed to the launcher.

#include "app/Form1.h"
#include "platform/qt/QtPlatform.h"
#include "updates/UpdateHost.h"

#include <QApplication>

#include <cstdlib>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    tarvex::QtPlatform qt;
    auto platform = qt.platform();
    tarvex::Form1 form(platform, tarvex::updateHostFrom(std::getenv("TARVEX_UPDATE_HOST")));
    form.Form_Load();
    return QApplication::exec();
}
