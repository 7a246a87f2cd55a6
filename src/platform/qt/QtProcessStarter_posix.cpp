#include "platform/qt/QtProcessStarter.h"

#include "platform/qt/QtText.h"

#include <QFileInfo>
#include <QProcess>

namespace tarvex {

std::string systemRunProblem(const QFileInfo& file)
{
    if (!file.isExecutable()) {
        return "the file is not executable (it lacks execute permission)";
    }
    return {};
}

void prepareSystemStart(QProcess& process, const ProcessCommand& command, WindowState /*state*/)
{
    // X11 and Wayland give no way to ask for another program's window
    // state; the client opens its window as it likes.
    QStringList arguments;
    for (const auto& argument : command.arguments) {
        arguments.append(fromLatin1(argument));
    }
    process.setArguments(arguments);
}

} // namespace tarvex
