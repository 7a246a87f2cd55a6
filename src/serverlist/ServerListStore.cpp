#include "serverlist/ServerListStore.h"

#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "serverlist/ServerListFile.h"
#include "state/Settings.h"
#include "text/Titles.h"

namespace tarvex {

namespace {

struct ServerListLocation
{
    std::string readPath;
    std::string writePath;
};

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
    const std::string own = joinPath(userDir, kServerListFileName);
    return {files.isFile(own) ? own : beside, own};
}

} // namespace

ServerListStore::ServerListStore(FileSystem& files, MessageBox& messages)
    : m_files(files)
    , m_messages(messages)
{
}

std::vector<std::string> ServerListStore::load()
{
    m_readPath = locateServerList(m_files).readPath;
    const auto file = m_files.readFile(m_readPath);
    if (file.status == FileRead::Status::Failed) {
        m_unreadable = true;
        m_messages.show("The server list " + m_readPath + " could not be read (" + file.reason
                            + "). The launcher starts with an empty list.",
                        kLauncherTitle);
    }
    if (file.status != FileRead::Status::Ok) {
        return {};
    }
    return serverlistfile::parse(file.bytes);
}

void ServerListStore::save(const std::vector<std::string>& entries)
{
    const auto path = locateServerList(m_files).writePath;
    const auto bytes = serverlistfile::serialize(entries);
    if (m_unreadable) {
        if (!bytes.empty()) {
            m_messages.show("The server list " + m_readPath
                                + " could not be read at start-up, so it was left as it was. "
                                  "The servers of this session were not saved.",
                            kLauncherTitle);
        }
        return;
    }
    const auto written = m_files.replaceFile(path, bytes);
    if (written.failed()) {
        m_messages.show("The server list could not be saved to " + path + " (" + written.reason()
                            + "). The file was left as it was.",
                        kLauncherTitle);
    }
}

} // namespace tarvex
