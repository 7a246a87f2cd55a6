#pragma once

#include "platform/SecondaryWindowViews.h"
#include "platform/qt/QtSecondaryWindow.h"

namespace tarvex {

class QtSecretWindow final : public QtSecondaryWindow<SecretView, SecretEvents>
{
public:
    explicit QtSecretWindow(SecretEvents& events);
};

} // namespace tarvex
