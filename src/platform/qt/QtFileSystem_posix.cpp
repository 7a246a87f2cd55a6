#include "platform/qt/QtFileSystem.h"

#include "platform/qt/QtText.h"

#include <QFileInfo>
#include <QtGlobal>

#include <cerrno>
#include <unistd.h>

namespace tarvex {

Result syncToDisk(int fileHandle)
{
    if (::fsync(fileHandle) != 0) {
        return Result::failure(toLatin1(qt_error_string(errno)));
    }
    return Result::success();
}

bool canCreateFilesIn(const QString& folder)
{
    // access(2) knows both the permissions and a read-only mount.
    return QFileInfo(folder).isWritable();
}

} // namespace tarvex
