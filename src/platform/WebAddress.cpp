#include "platform/WebAddress.h"

#include <algorithm>
#include <cstddef>

namespace tarvex {

namespace {

// Browsers and the Windows shell cut addresses at about this length.
constexpr std::size_t kMaxLength = 2048;
constexpr std::size_t kMaxHostLength = 253;
constexpr std::size_t kMaxLabelLength = 63;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isHexDigit(char c)
{
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool isLetterOrDigit(char c)
{
    const auto lower = static_cast<char>(c | 0x20);
    return isDigit(c) || (lower >= 'a' && lower <= 'z');
}

bool isScheme(std::string_view text, std::string_view lowerCase)
{
    return std::equal(text.begin(), text.end(), lowerCase.begin(), lowerCase.end(),
                      [](char a, char b) { return (isLetterOrDigit(a) ? static_cast<char>(a | 0x20) : a) == b; });
}

bool isNumberUpTo(std::string_view digits, std::size_t maxDigits, unsigned long maxValue)
{
    if (digits.empty() || digits.size() > maxDigits || !std::all_of(digits.begin(), digits.end(), isDigit)) {
        return false;
    }
    return std::stoul(std::string(digits)) <= maxValue;
}

// A name's letters may be Latin-1's too: the browser spells them in ASCII
// (IDNA). The multiplication and division signs are no letters.
bool isHostNameCharacter(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return isLetterOrDigit(c) || c == '-' || c == '_' || (byte >= 0xC0 && byte != 0xD7 && byte != 0xF7);
}

bool isHostName(std::string_view host)
{
    if (host.ends_with('.')) {
        host.remove_suffix(1); // the root's dot, which may be written
    }
    if (host.empty() || host.size() > kMaxHostLength) {
        return false;
    }
    while (true) {
        const auto dot = host.find('.');
        const std::string_view label = host.substr(0, dot);
        if (label.empty() || label.size() > kMaxLabelLength || label.front() == '-' || label.back() == '-'
            || !std::all_of(label.begin(), label.end(), isHostNameCharacter)) {
            return false;
        }
        if (dot == std::string_view::npos) {
            return true;
        }
        host.remove_prefix(dot + 1);
    }
}

bool isIpv4Address(std::string_view text)
{
    for (int part = 0; part < 4; ++part) {
        const auto dot = text.find('.');
        if ((part < 3) == (dot == std::string_view::npos) || !isNumberUpTo(text.substr(0, dot), 3, 255)) {
            return false;
        }
        text.remove_prefix(part < 3 ? dot + 1 : text.size());
    }
    return true;
}

// Groups of one to four hex digits separated by ":", counted into groups;
// the last may be an IPv4 address, which counts as two.
bool countIpv6Groups(std::string_view text, bool mayEndInIpv4, int& groups)
{
    while (!text.empty()) {
        const auto colon = text.find(':');
        const std::string_view group = text.substr(0, colon);
        if (colon == std::string_view::npos && mayEndInIpv4 && isIpv4Address(group)) {
            groups += 2;
        } else if (group.empty() || group.size() > 4 || !std::all_of(group.begin(), group.end(), isHexDigit)) {
            return false;
        } else {
            ++groups;
        }
        if (colon == std::string_view::npos) {
            return true;
        }
        text.remove_prefix(colon + 1);
        if (text.empty()) {
            return false; // a trailing ":"
        }
    }
    return true;
}

// Eight groups, or fewer with one "::" standing for the missing ones.
bool isIpv6Address(std::string_view text)
{
    int groups = 0;
    const auto gap = text.find("::");
    if (gap == std::string_view::npos) {
        return countIpv6Groups(text, true, groups) && groups == 8;
    }
    const std::string_view tail = text.substr(gap + 2);
    return tail.find("::") == std::string_view::npos && !tail.starts_with(':')
        && countIpv6Groups(text.substr(0, gap), false, groups) && countIpv6Groups(tail, true, groups) && groups <= 7;
}

// RFC 3986's user information: unreserved and sub-delimiter characters,
// ":" and percent escapes.
bool isUserInfo(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%') {
            if (i + 2 >= text.size() || !isHexDigit(text[i + 1]) || !isHexDigit(text[i + 2])) {
                return false;
            }
            i += 2;
        } else if (!isLetterOrDigit(c) && std::string_view("-._~!$&'()*+,;=:").find(c) == std::string_view::npos) {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<WebAddress> WebAddress::check(std::string_view text)
{
    if (text.size() > kMaxLength || std::any_of(text.begin(), text.end(), [](char c) {
            const auto byte = static_cast<unsigned char>(c);
            return byte <= 0x20 || byte == 0x7F;
        })) {
        return std::nullopt;
    }
    const auto schemeEnd = text.find("://");
    if (schemeEnd == std::string_view::npos
        || !(isScheme(text.substr(0, schemeEnd), "http") || isScheme(text.substr(0, schemeEnd), "https"))) {
        return std::nullopt;
    }
    // The authority runs to the path, the query or the fragment: a user part,
    // the host, a port.
    std::string_view authority = text.substr(schemeEnd + 3);
    authority = authority.substr(0, authority.find_first_of("/?#"));
    if (const auto at = authority.find('@'); at != std::string_view::npos) {
        if (!isUserInfo(authority.substr(0, at))) {
            return std::nullopt;
        }
        authority.remove_prefix(at + 1);
    }
    std::string_view port;
    if (authority.starts_with('[')) {
        const auto close = authority.find(']');
        if (close == std::string_view::npos || !isIpv6Address(authority.substr(1, close - 1))) {
            return std::nullopt;
        }
        port = authority.substr(close + 1);
    } else {
        const auto colon = authority.find(':');
        if (!isHostName(authority.substr(0, colon))) {
            return std::nullopt;
        }
        port = authority.substr(std::min(colon, authority.size()));
    }
    // "host:" with no digits is the scheme's own port, as browsers read it.
    if (!port.empty() && !(port.front() == ':' && (port.size() == 1 || isNumberUpTo(port.substr(1), 5, 65535)))) {
        return std::nullopt;
    }
    return WebAddress(text);
}

} // namespace tarvex
