#include "launch/JoinServer.h"

#include "app/Form1.h"
#include "app/Settings.h"
#include "launch/CommandLine.h"
#include "serverlist/ServerAddress.h"

namespace tarvex {

void joinServer(Form1& form)
{
    auto& platform = form.platform();
    const bool regular = form.regularClientChosen();
    const char* pathKey = regular ? settings::kRegularPath : settings::kGlPath;
    const char* parametersKey = regular ? settings::kRegularCmd : settings::kGlCmd;

    const std::string address = form.serverBoxText();
    if (!looksLikeServerAddress(address)) {
        platform.messages.show("Invalid Server Address", kLauncherTitle);
        return;
    }
    // Read once, so the file that was found is the file that is started.
    const std::string path = settings::read(platform.settings, pathKey);
    if (path.empty() || !platform.files.isFile(path)) {
        platform.messages.show("Quakeforge not found, please check your paths", kLauncherTitle);
        return;
    }

    form.minimise();
    const std::string parameters = settings::read(platform.settings, parametersKey);
    const auto command = clientCommand(path, parameters, address);
    const std::string failure = platform.processes.start(command, WindowState::Maximised);
    if (!failure.empty()) {
        // The player is left with no client and a minimised launcher otherwise.
        form.restore();
        platform.messages.show("The client " + path + " could not be started: " + failure +
                                   "\n\nCommand line: " + clientCommandLine(path, parameters, address),
                               kLauncherTitle);
    }
}

} // namespace tarvex
