#pragma once

#include "platform/MessageBox.h"

namespace tarvex {

class QtMessageBox final : public MessageBox
{
public:
    void show(const std::string& text, const std::string& title) override;
};

} // namespace tarvex
