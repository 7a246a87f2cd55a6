#pragma once

#include "platform/Result.h"

#include <string>

namespace tarvex {

struct FileRead
{
    enum class Status { Ok, Missing, Failed };
    Status status = Status::Missing;
    std::string bytes;  // the whole file when Ok
    std::string reason; // why, when Failed
};

class FileSystem
{
public:
    virtual ~FileSystem() = default;
    // The directory that holds the executable, as the system spells it.
    virtual std::string executableDir() const = 0;
    // True when path names an existing file that is not a directory.
    virtual bool isFile(const std::string& path) const = 0;
    virtual FileRead readFile(const std::string& path) const = 0;
    // Writes the bytes to a temporary file beside path and then replaces path
    // with it, so path holds either the old or the new content, whole.
    // Missing parent directories are created first.
    // Fails with the reason, and path is then untouched.
    virtual Result replaceFile(const std::string& path, const std::string& bytes) = 0;
    // True when path is an existing directory this user may create files in.
    virtual bool isWritableDir(const std::string& path) const = 0;
    // The player's own directory for the launcher's data files, which may not
    // exist yet; "" when the system offers none.
    virtual std::string userDataDir() const = 0;
};

} // namespace tarvex
