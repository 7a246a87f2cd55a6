#pragma once

#include "platform/ProcessStarter.h"

#include <string>

class QFileInfo;
class QProcess;

namespace tarvex {

class QtProcessStarter final : public ProcessStarter
{
public:
    Result start(const ProcessCommand& command, WindowState state) override;
};

// The halves that differ between systems, in QtProcessStarter_posix.cpp and
// QtProcessStarter_win.cpp (CMake builds one of them).

// Why an existing file that is not a directory cannot be run, found before
// starting it, or "" when it looks runnable.
std::string systemRunProblem(const QFileInfo& file);

// Gives the process, whose program is already set, the command's words and
// the window state in the form this system passes them on.
void prepareSystemStart(QProcess& process, const ProcessCommand& command, WindowState state);

} // namespace tarvex
