#include "shared/WebAddress.h"

#include <gtest/gtest.h>

namespace tarvex {
namespace {

TEST(WebAddressTest, OnlyHttpAndHttpsAddressesWithAHostAndNothingToSmuggle)
{
    const std::pair<const char*, bool> cases[] = {
        {"http://tarvex.example/news", true},
        {"https://tarvex.example/a?b=c#d", true},
        {"HTTPS://Tarvex.Example/", true},
        {"http://user:pw@tarvex.example:8080/x", true},
        {"http://[::1]:8080/", true},
        {"http://caf\xE9.example/", true},
        {"", false},
        {"http://", false},
        {"http:///etc/passwd", false},
        {"http://:80/", false},
        {"http://user@/x", false},
        {"http://a.example:port/", false},
        {"http://a.example:99999/", false},
        {"http://[::1/", false},
        {"http://[]/", false},
        {"file:///etc/passwd", false},
        {"/usr/bin/xterm", false},
        {"calc.exe", false},
        {"javascript:alert(1)", false},
        {"ftp://tarvex.example/", false},
        {"mailto:a@b.c", false},
        {"httpx://a.example/", false},
        {"http://a.example/ --new-window", false},
        {"http://a.example/\x01", false},
        {"http://a.example/\x7F", false},
        {"http://a.example/\nfile:///x", false},
    };
    for (const auto& [address, accepted] : cases) {
        EXPECT_EQ(isWebAddress(address), accepted) << address;
    }
}

} // namespace
} // namespace tarvex
