#pragma once

#include "platform/SecondaryWindowViews.h"

namespace tarvex {

struct Platform;

// The credits window. Exists at most once; open() on an open window does nothing.
class secret : public SecretEvents
{
public:
    explicit secret(Platform& platform);

    void open();
    bool isOpen() const { return m_view != nullptr; }

    void Form_Unload() override;

private:
    Platform& m_platform;
    SecretView* m_view = nullptr;
};

} // namespace tarvex
