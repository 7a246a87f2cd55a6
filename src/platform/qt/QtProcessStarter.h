#pragma once

#include "platform/ProcessStarter.h"

namespace tarvex {

class QtProcessStarter final : public ProcessStarter
{
public:
    std::string start(const std::string& program, const std::vector<std::string>& arguments,
                      WindowState state) override;
};

} // namespace tarvex
