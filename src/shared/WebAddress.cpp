#include "shared/WebAddress.h"

#include "shared/Fields.h"
#include "shared/PortText.h"

#include <algorithm>

namespace tarvex {

bool isWebAddress(std::string_view address)
{
    if (std::any_of(address.begin(), address.end(), [](char c) {
            const auto byte = static_cast<unsigned char>(c);
            return byte <= 0x20 || byte == 0x7F;
        })) {
        return false;
    }
    const auto schemeEnd = address.find("://");
    if (schemeEnd == std::string_view::npos
        || !(sameIgnoringCase(address.substr(0, schemeEnd), "http")
             || sameIgnoringCase(address.substr(0, schemeEnd), "https"))) {
        return false;
    }
    // The authority runs to the path, the query or the fragment: a user part,
    // the host, a port. The host must be there, and a port be a port.
    std::string_view authority = address.substr(schemeEnd + 3);
    authority = authority.substr(0, authority.find_first_of("/?#"));
    if (const auto at = authority.rfind('@'); at != std::string_view::npos) {
        authority.remove_prefix(at + 1);
    }
    // An IPv6 address stands in brackets.
    const auto hostEnd = authority.starts_with('[') ? authority.find(']') + 1 : authority.find(':');
    const std::string_view host = authority.substr(0, hostEnd);
    std::string_view port = authority.substr(std::min(host.size(), authority.size()));
    if (host.empty() || host == "[]" || (!port.empty() && !port.starts_with(':'))) {
        return false;
    }
    // Blanks were refused above, so the port is digits only or nothing.
    port.remove_prefix(std::min<std::size_t>(port.size(), 1));
    return port.empty() || parsePort(std::string(port)).has_value();
}

} // namespace tarvex
