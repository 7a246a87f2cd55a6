#pragma once

#include "platform/FileSystem.h"

#include <QString>

namespace tarvex {

// Paths are the system's own bytes (QFile::encodeName), so any file name
// round-trips even where one byte per character cannot spell it.
class QtFileSystem final : public FileSystem
{
public:
    std::string executableDir() const override;
    bool isFile(const std::string& path) const override;
    FileRead readFile(const std::string& path) const override;
    Result replaceFile(const std::string& path, const std::string& bytes) override;
    bool isWritableDir(const std::string& path) const override;
    std::string userDataDir() const override;
};

std::string toPathBytes(const QString& path);
QString fromPathBytes(const std::string& path);

// In QtFileSystem_posix.cpp and QtFileSystem_win.cpp (CMake builds one):
// flushes an open file's data to the disk, reporting why it could not;
Result syncToDisk(int fileHandle);
// whether a new file can be made in an existing folder.
bool canCreateFilesIn(const QString& folder);

} // namespace tarvex
