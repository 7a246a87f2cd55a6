#pragma once

#include "platform/Result.h"
#include "platform/WebAddress.h"

namespace tarvex {

class UrlOpener
{
public:
    virtual ~UrlOpener() = default;
    // Opens a web address in the player's web browser through the desktop's
    // own opener; never through a shell. Does not wait. Fails when the system
    // refused the address or found nothing to open it with.
    virtual Result open(const WebAddress& address) = 0;
};

} // namespace tarvex
