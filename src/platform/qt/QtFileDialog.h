#pragma once

#include "platform/FileDialog.h"

namespace tarvex {

class QtFileDialog final : public FileDialog
{
public:
    std::optional<std::string> saveFileName(const std::string& filter,
                                            const std::string& initialName) override;
};

} // namespace tarvex
