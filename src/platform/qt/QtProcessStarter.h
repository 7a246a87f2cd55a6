#pragma once

#include "platform/ProcessStarter.h"

namespace tarvex {

class QtProcessStarter final : public ProcessStarter
{
public:
    std::string start(const ProcessCommand& command, WindowState state) override;
};

} // namespace tarvex
