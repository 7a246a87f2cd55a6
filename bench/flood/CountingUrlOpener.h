#pragma once

#include "platform/UrlOpener.h"

namespace tarvex::bench {

// Counts the addresses the launcher asks to open and opens none: a flood of
// "website" notices must not start thousands of browsers on this machine.
class CountingUrlOpener final : public UrlOpener
{
public:
    Result open(const WebAddress&) override
    {
        ++m_opened;
        return Result::success();
    }
    long opened() const { return m_opened; }

private:
    long m_opened = 0;
};

} // namespace tarvex::bench
