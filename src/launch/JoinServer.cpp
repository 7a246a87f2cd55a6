#include "launch/JoinServer.h"

#include "launch/CommandLine.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/ProcessStarter.h"
#include "state/MainWindowState.h"
#include "state/Settings.h"
#include "text/ServerAddress.h"
#include "text/Titles.h"

namespace tarvex {

void joinServer(MainWindowState& window, const SettingsStore& store, const FileSystem& files, ProcessStarter& processes,
                MessageBox& messages)
{
    const bool regular = window.regularClientChosen();
    const char* pathKey = regular ? settings::kRegularPath : settings::kGlPath;
    const char* parametersKey = regular ? settings::kRegularCmd : settings::kGlCmd;

    const std::string address = window.serverBoxText();
    if (!looksLikeServerAddress(address)) {
        messages.show("Invalid Server Address", kLauncherTitle);
        return;
    }
    // Read once, so the file that was found is the file that is started.
    const std::string path = settings::read(store, pathKey);
    if (path.empty() || !files.isFile(path)) {
        messages.show("Quakeforge not found, please check your paths", kLauncherTitle);
        return;
    }

    window.minimise();
    const std::string parameters = settings::read(store, parametersKey);
    const auto started = processes.start(clientCommand(path, parameters, address), WindowState::Maximised);
    if (started.failed()) {
        // The player is left with no client and a minimised launcher otherwise.
        window.restore();
        messages.show("The client " + path + " could not be started: " + started.reason()
                          + "\n\nCommand line: " + clientCommandLine(path, parameters, address),
                      kLauncherTitle);
    }
}

} // namespace tarvex
