#pragma once

#include <string>
#include <vector>

namespace tarvex {

enum class WindowState { Maximised, Minimised };

class ProcessStarter
{
public:
    virtual ~ProcessStarter() = default;
    // Starts program with the arguments, detached, without a shell and without
    // waiting for it; the window state is a request the program may ignore.
    // A relative program is the file of that name under the working
    // directory, never one searched on PATH. Returns "" once it runs,
    // otherwise the reason it could not be started (missing, a directory,
    // not executable, or the system's own reason).
    virtual std::string start(const std::string& program, const std::vector<std::string>& arguments,
                              WindowState state) = 0;
};

} // namespace tarvex
