#include "platform/qt/QtProcessStarter.h"

#include "platform/qt/QtFileSystem.h"
#include "platform/qt/QtText.h"

#include <QFileInfo>
#include <QProcess>

namespace tarvex {

Result QtProcessStarter::start(const ProcessCommand& command, WindowState state)
{
    // The system's own reason for a failed start is vaguer than these.
    const QFileInfo file(fromPathBytes(command.program));
    if (!file.exists()) {
        return Result::failure("the file does not exist");
    }
    if (file.isDir()) {
        return Result::failure("it is a directory");
    }
    const std::string problem = systemRunProblem(file);
    if (!problem.empty()) {
        return Result::failure(problem);
    }

    QProcess process;
    // An absolute path, so that a bare file name is the file that was found
    // beside the working directory and never one found on PATH.
    process.setProgram(file.absoluteFilePath());
    prepareSystemStart(process, command, state);
    if (!process.startDetached()) {
        QString reason = process.errorString();
        reason.remove(QStringLiteral("execv: "));
        return Result::failure(reason.isEmpty() ? std::string("the system could not run it")
                                                : "the system could not run it (" + toLatin1(reason) + ")");
    }
    return Result::success();
}

} // namespace tarvex
