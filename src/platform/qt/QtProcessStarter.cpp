#include "platform/qt/QtProcessStarter.h"

#include "platform/qt/QtText.h"
#include "platform/qt/QtFileSystem.h"

#include <QProcess>

namespace tarvex {

std::string QtProcessStarter::start(const std::string& program, const std::vector<std::string>& arguments,
                                    WindowState)
{
    QStringList list;
    for (const auto& argument : arguments) {
        list.append(fromLatin1(argument));
    }
    QProcess process;
    process.setProgram(fromPathBytes(program));
    process.setArguments(list);
    if (!process.startDetached()) {
        const QString reason = process.errorString();
        return reason.isEmpty() ? std::string("it could not be started") : toLatin1(reason);
    }
    return {};
}

} // namespace tarvex
