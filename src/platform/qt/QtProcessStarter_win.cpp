#include "platform/qt/QtProcessStarter.h"

#include "platform/qt/QtFileSystem.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <windows.h>

namespace tarvex {

std::string systemRunProblem(const QFileInfo& /*file*/)
{
    // Windows has no execute permission to check; CreateProcess itself says
    // when a file is no program.
    return {};
}

void prepareSystemStart(QProcess& process, const ProcessCommand& command, WindowState state)
{
    // The client receives one command line and splits it itself, so it gets
    // the line as built, not one Qt would quote again from an argument list.
    // The program is named on its own as well, so CreateProcess never
    // searches for it. The lambda owns both buffers: CreateProcess reads them
    // inside startDetached().
    QString application = QDir::toNativeSeparators(process.program());
    QString commandLine = fromPathBytes(command.commandLine);
    const WORD show = state == WindowState::Maximised ? SW_SHOWMAXIMIZED : SW_SHOWMINIMIZED;
    process.setCreateProcessArgumentsModifier(
        [application, commandLine, show](QProcess::CreateProcessArguments* call) mutable {
            call->applicationName = reinterpret_cast<const wchar_t*>(application.utf16());
            call->arguments = reinterpret_cast<wchar_t*>(commandLine.data());
            call->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
            call->startupInfo->wShowWindow = show;
        });
}

} // namespace tarvex
