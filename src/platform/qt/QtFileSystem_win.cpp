#include "platform/qt/QtFileSystem.h"

#include "platform/qt/QtText.h"

#include <QTemporaryFile>
#include <QtGlobal>

#include <io.h>
#include <windows.h>

namespace tarvex {

Result syncToDisk(int fileHandle)
{
    // Qt hands out a C runtime descriptor over its own Win32 handle.
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fileHandle));
    if (handle == INVALID_HANDLE_VALUE || !FlushFileBuffers(handle)) {
        return Result::failure(toLatin1(qt_error_string(static_cast<int>(GetLastError()))));
    }
    return Result::success();
}

bool canCreateFilesIn(const QString& folder)
{
    // Windows calls any folder writable that lacks the read-only attribute,
    // which says nothing about its permissions (Program Files for a player
    // who is no administrator) or a read-only medium: only trying tells.
    QTemporaryFile probe(folder + QStringLiteral("/play-tarvex-XXXXXX.tmp"));
    return probe.open();
}

} // namespace tarvex
