#pragma once

#include "platform/Result.h"

#include <string>
#include <vector>

namespace tarvex {

enum class WindowState { Maximised, Minimised };

// One request to start a program, in both forms a system may want: an
// argument vector (POSIX) or one command-line text that the program splits
// itself (Windows). The two describe the same words.
struct ProcessCommand
{
    std::string program;                // the file to start, as stored
    std::vector<std::string> arguments; // the words after the program
    std::string commandLine;            // the whole line, program first, as the program receives it
};

class ProcessStarter
{
public:
    virtual ~ProcessStarter() = default;
    // Starts the program, detached, without a shell and without waiting for
    // it; the window state is a request the program may ignore. A relative
    // program is the file of that name under the working directory, never one
    // searched on PATH. Succeeds once it runs, otherwise fails with the reason it could
    // not be started (missing, a directory, not executable, or the system's
    // own reason).
    virtual Result start(const ProcessCommand& command, WindowState state) = 0;
};

} // namespace tarvex
