#include "shared/ServerAddress.h"

namespace tarvex {

bool looksLikeServerAddress(const std::string& address)
{
    return address.find(':') != std::string::npos && address.find('.') != std::string::npos;
}

} // namespace tarvex
