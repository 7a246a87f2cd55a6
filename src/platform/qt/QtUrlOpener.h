#pragma once

#include "platform/UrlOpener.h"

namespace tarvex {

class QtUrlOpener final : public UrlOpener
{
public:
    void open(const std::string& url) override;
};

} // namespace tarvex
