#pragma once

#include "platform/WindowSystem.h"

namespace tarvex {

class QtWindowSystem final : public WindowSystem
{
public:
    MainWindowView& createMainWindow(MainWindowEvents& events) override;
    AddServerView& createAddServer(AddServerEvents& events) override;
    EditPathsView& createEditPaths(EditPathsEvents& events) override;
    HelpView& createHelp(HelpEvents& events) override;
    SecretView& createSecret(SecretEvents& events) override;
};

} // namespace tarvex
