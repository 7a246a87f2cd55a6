#include "platform/qt/QtWindowSystem.h"

#include "platform/qt/QtAddServerWindow.h"
#include "platform/qt/QtEditPathsWindow.h"
#include "platform/qt/QtHelpWindow.h"
#include "platform/qt/QtMainWindow.h"
#include "platform/qt/QtSecretWindow.h"

namespace tarvex {

MainWindowView& QtWindowSystem::createMainWindow(MainWindowEvents& events)
{
    return *new QtMainWindow(events);
}

AddServerView& QtWindowSystem::createAddServer(AddServerEvents& events)
{
    return *new QtAddServerWindow(events);
}

EditPathsView& QtWindowSystem::createEditPaths(EditPathsEvents& events)
{
    return *new QtEditPathsWindow(events);
}

HelpView& QtWindowSystem::createHelp(HelpEvents& events)
{
    return *new QtHelpWindow(events);
}

SecretView& QtWindowSystem::createSecret(SecretEvents& events)
{
    return *new QtSecretWindow(events);
}

} // namespace tarvex
