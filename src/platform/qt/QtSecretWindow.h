#pragma once

#include "platform/SecondaryWindowViews.h"
#include "platform/qt/QtWindow.h"

namespace tarvex {

class QtSecretWindow final : public QtWindow<SecretView, SecretEvents>
{
public:
    explicit QtSecretWindow(SecretEvents& events);
};

} // namespace tarvex
