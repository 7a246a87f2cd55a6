#include "platform/qt/QtWindowSystem.h"

#include "platform/qt/QtAddServerWindow.h"
#include "platform/qt/QtControls.h"
#include "platform/qt/QtEditPathsWindow.h"
#include "platform/qt/QtHelpWindow.h"
#include "platform/qt/QtMainWindow.h"
#include "platform/qt/QtSecretWindow.h"

#include <QIcon>

namespace tarvex {

// Every window is a top-level without an owner that deletes itself once closed.

namespace {
template <typename Window> Window& withIcon(Window* window)
{
    window->setWindowIcon(launcherIcon());
    return *window;
}
} // namespace

MainWindowView& QtWindowSystem::createMainWindow(MainWindowEvents& events)
{
    return withIcon(new QtMainWindow(events));
}

AddServerView& QtWindowSystem::createAddServer(AddServerEvents& events)
{
    return withIcon(new QtAddServerWindow(events));
}

EditPathsView& QtWindowSystem::createEditPaths(EditPathsEvents& events)
{
    return withIcon(new QtEditPathsWindow(events));
}

HelpView& QtWindowSystem::createHelp(HelpEvents& events)
{
    return withIcon(new QtHelpWindow(events));
}

SecretView& QtWindowSystem::createSecret(SecretEvents& events)
{
    return withIcon(new QtSecretWindow(events));
}

} // namespace tarvex
