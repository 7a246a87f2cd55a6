#pragma once

#include <string>
#include <vector>

namespace tarvex {

class FileSystem;
class MessageBox;

// servers.cfg on disk: read once at start-up, written at shutdown (and once
// more when a server is added after that). Every problem is told to the
// player in a message box.
//
// It lives beside the executable whenever that directory is writable, as it
// is for a copy unpacked into a folder of the player's own. An installed copy
// lives in a system directory the player cannot write to; its list is kept in
// the player's own data directory instead. Until that file exists the list is
// read from beside the executable, so a list installed with the program is
// where the player starts, and nothing written there before is passed over.
class ServerListStore
{
public:
    ServerListStore(FileSystem& files, MessageBox& messages);

    // The entries of the file; none when it is missing. A file that cannot
    // be read gives none too and is kept for the player to rescue: save()
    // will not overwrite it.
    std::vector<std::string> load();
    // Writes the entries where the list belongs now, so a directory that
    // became read-only during the run still gets the list saved somewhere
    // the player can find it. The file is left as it was on failure.
    void save(const std::vector<std::string>& entries);

private:
    FileSystem& m_files;
    MessageBox& m_messages;
    std::string m_readPath;
    bool m_unreadable = false;
};

} // namespace tarvex
