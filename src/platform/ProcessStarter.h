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
    // Returns "" once it runs, otherwise the reason it could not be started.
    virtual std::string start(const std::string& program, const std::vector<std::string>& arguments,
                              WindowState state) = 0;
};

} // namespace tarvex
