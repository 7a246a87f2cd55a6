#include "updates/UpdateHost.h"

#include "text/PortText.h"

namespace tarvex {

UpdateHost updateHostFrom(const char* value)
{
    UpdateHost builtIn{kDefaultUpdateHost, kUpdatePort};
    if (value == nullptr || *value == '\0') {
        return builtIn;
    }
    const std::string text(value);
    const auto colon = text.rfind(':');
    if (colon == std::string::npos) {
        return UpdateHost{text, kUpdatePort};
    }
    const std::string host = text.substr(0, colon);
    const auto port = parsePort(text.substr(colon + 1));
    if (host.empty() || !port || *port == 0) {
        return builtIn;
    }
    return UpdateHost{host, *port};
}

} // namespace tarvex
