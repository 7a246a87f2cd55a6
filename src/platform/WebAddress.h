#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvex {

// An address the launcher may hand to the web browser. Only check() makes
// one, so the opener never sees a text that was not checked.
class WebAddress
{
public:
    // An http:// or https:// address (scheme in any letter case) whose host
    // is a host name or a bracketed IPv6 address, with a port of at most
    // 65535 if any, no blank or control character anywhere and at most 2,048
    // characters; nothing otherwise. It reaches the opener as one argument and
    // can neither open a file, nor run a program through another scheme, nor
    // carry a second argument. The host follows the desktop's URL parser or
    // is stricter, so what passes here is an address the opener can take.
    static std::optional<WebAddress> check(std::string_view text);

    const std::string& text() const { return m_text; }

private:
    explicit WebAddress(std::string_view text)
        : m_text(text)
    {
    }

    std::string m_text;
};

} // namespace tarvex
