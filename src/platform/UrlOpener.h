#pragma once

#include <string>

namespace tarvex {

class UrlOpener
{
public:
    virtual ~UrlOpener() = default;
    // Opens an http:// or https:// address in the player's web browser through
    // the desktop's own opener; never through a shell. Does not wait.
    virtual void open(const std::string& url) = 0;
};

} // namespace tarvex
