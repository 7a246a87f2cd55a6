#pragma once

namespace tarvex {

class FileSystem;
class MainWindowState;
class MessageBox;
class ProcessStarter;
class SettingsStore;

// "Join Server": checks the address in the server box and the chosen
// client's file, minimises the main window and starts the client with its
// parameters, "+connect" and the address, without waiting for it. A client
// that cannot be started is reported and the main window is restored.
void joinServer(MainWindowState& window, const SettingsStore& store, const FileSystem& files, ProcessStarter& processes,
                MessageBox& messages);

} // namespace tarvex
