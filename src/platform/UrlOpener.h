#pragma once

#include <string>

namespace tarvex {

class UrlOpener
{
public:
    virtual ~UrlOpener() = default;
    // Opens a web address in the player's web browser through the desktop's
    // own opener; never through a shell. Does not wait. The caller has checked
    // it with isWebAddress (shared/WebAddress.h); the opener trusts that.
    virtual void open(const std::string& url) = 0;
};

} // namespace tarvex
