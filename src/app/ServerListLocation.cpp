#include "app/ServerListLocation.h"

#include "app/Settings.h"
#include "platform/FileSystem.h"
#include "serverlist/ServerListFile.h"

namespace tarvex {

ServerListLocation locateServerList(const FileSystem& files)
{
    const std::string beside = ProgramFilePath(files, kServerListFileName);
    if (files.isWritableDir(files.executableDir())) {
        return {beside, beside};
    }
    const std::string userDir = files.userDataDir();
    if (userDir.empty()) {
        // Nowhere better to go: the save fails beside the executable and
        // says so, rather than the list vanishing somewhere unexpected.
        return {beside, beside};
    }
    const std::string own = userDir + (userDir.back() == '/' ? "" : "/") + kServerListFileName;
    return {files.isFile(own) ? own : beside, own};
}

} // namespace tarvex
