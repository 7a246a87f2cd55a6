#include "platform/qt/QtFileSystem.h"

#include "platform/qt/QtText.h"

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

} // namespace tarvex
