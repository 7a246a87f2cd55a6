#pragma once

#include "platform/ProcessStarter.h"

namespace tarvex {

class QtProcessStarter final : public ProcessStarter
{
public:
    Result start(const ProcessCommand& command, WindowState state) override;
};

} // namespace tarvex
