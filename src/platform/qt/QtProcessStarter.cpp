#include "platform/qt/QtProcessStarter.h"

#include "platform/qt/QtFileSystem.h"
#include "platform/qt/QtText.h"

#include <QFileInfo>
#include <QProcess>

#ifdef Q_OS_WIN
#include <QDir>
#include <qt_windows.h>
#endif

namespace tarvex {

namespace {

// Why a file cannot be run, found before starting it, or "" when it looks
// runnable. The system's own reason for a failed start is vaguer than these.
std::string precheck(const QFileInfo& file)
{
    if (!file.exists()) {
        return "the file does not exist";
    }
    if (file.isDir()) {
        return "it is a directory";
    }
#ifndef Q_OS_WIN
    if (!file.isExecutable()) {
        return "the file is not executable (it lacks execute permission)";
    }
#endif
    return {};
}

} // namespace

Result QtProcessStarter::start(const ProcessCommand& command, WindowState state)
{
    const QFileInfo file(fromPathBytes(command.program));
    const std::string problem = precheck(file);
    if (!problem.empty()) {
        return Result::failure(problem);
    }

    QStringList list;
    for (const auto& argument : command.arguments) {
        list.append(fromLatin1(argument));
    }
    QProcess process;
    // An absolute path, so that a bare file name is the file that was found
    // beside the working directory and never one found on PATH.
    process.setProgram(file.absoluteFilePath());
    process.setArguments(list);

#ifdef Q_OS_WIN
    // The client receives one command line and splits it itself, so it gets
    // the line as built, not one Qt would quote again from the arguments.
    // Both buffers must outlive startDetached().
    QString commandLine = fromPathBytes(command.commandLine);
    const QString applicationName = QDir::toNativeSeparators(file.absoluteFilePath());
    process.setCreateProcessArgumentsModifier([&](QProcess::CreateProcessArguments* call) {
        call->applicationName = reinterpret_cast<const wchar_t*>(applicationName.utf16());
        call->arguments = reinterpret_cast<wchar_t*>(commandLine.data());
        call->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
        call->startupInfo->wShowWindow = state == WindowState::Maximised ? SW_SHOWMAXIMIZED : SW_SHOWMINIMIZED;
    });
#else
    // X11 and Wayland give no way to ask for another program's window
    // state; the client opens its window as it likes.
    static_cast<void>(state);
#endif

    if (!process.startDetached()) {
        QString reason = process.errorString();
        reason.remove(QStringLiteral("execv: "));
        return Result::failure(reason.isEmpty() ? std::string("the system could not run it")
                                                : "the system could not run it (" + toLatin1(reason) + ")");
    }
    return Result::success();
}

} // namespace tarvex
