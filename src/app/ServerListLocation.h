#pragma once

#include <string>

namespace tarvex {

class FileSystem;

// Where servers.cfg is read at start-up and written at shutdown.
//
// Beside the executable whenever that directory is writable, as it is for a
// copy unpacked into a folder of the player's own. An installed copy lives
// in a system directory the player cannot write to; its list is kept in the
// player's own data directory instead. Until that file exists the list is
// read from beside the executable, so a list installed with the program is
// where the player starts, and nothing written there before is passed over.
struct ServerListLocation
{
    std::string readPath;
    std::string writePath;
};

ServerListLocation locateServerList(const FileSystem& files);

} // namespace tarvex
