#pragma once

#include "platform/UrlOpener.h"

class QUrl;

namespace tarvex {

class QtUrlOpener final : public UrlOpener
{
public:
    void open(const std::string& url) override;
};

// Hands a checked web address to the system's own opener, without waiting.
// In QtUrlOpener_posix.cpp and QtUrlOpener_win.cpp (CMake builds one).
void openWithSystem(const QUrl& address);

} // namespace tarvex
