#pragma once

#include "platform/MainWindowView.h"
#include "platform/SecondaryWindowViews.h"

namespace tarvex {

// Creates the launcher's windows, hidden; the launcher shows them. The
// returned views belong to the window system (see SecondaryWindowViews.h).
class WindowSystem
{
public:
    virtual ~WindowSystem() = default;
    virtual MainWindowView& createMainWindow(MainWindowEvents& events) = 0;
    virtual AddServerView& createAddServer(AddServerEvents& events) = 0;
    virtual EditPathsView& createEditPaths(EditPathsEvents& events) = 0;
    virtual HelpView& createHelp(HelpEvents& events) = 0;
    virtual SecretView& createSecret(SecretEvents& events) = 0;
};

} // namespace tarvex
