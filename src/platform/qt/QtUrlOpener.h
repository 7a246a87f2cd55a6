#pragma once

#include "platform/UrlOpener.h"

class QUrl;

namespace tarvex {

class QtUrlOpener final : public UrlOpener
{
public:
    Result open(const WebAddress& address) override;
};

// Hands a valid web address to the system's own opener, without waiting;
// false when the system did not take it.
// In QtUrlOpener_posix.cpp and QtUrlOpener_win.cpp (CMake builds one).
bool openWithSystem(const QUrl& address);

} // namespace tarvex
