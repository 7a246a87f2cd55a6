#include "updates/UpdateHost.h"

#include <gtest/gtest.h>

namespace tarvex {
namespace {

TEST(UpdateHost, EnvironmentReplacesTheBuiltInHost)
{
    EXPECT_EQ(updateHostFrom(nullptr).host, kDefaultUpdateHost);
    EXPECT_EQ(updateHostFrom(nullptr).port, 17500);
    EXPECT_EQ(updateHostFrom("").host, kDefaultUpdateHost);

    const auto plain = updateHostFrom("127.0.0.1");
    EXPECT_EQ(plain.host, "127.0.0.1");
    EXPECT_EQ(plain.port, 17500);

    const auto withPort = updateHostFrom("localhost:40123");
    EXPECT_EQ(withPort.host, "localhost");
    EXPECT_EQ(withPort.port, 40123);
}

TEST(UpdateHost, UnusableValueFallsBackToTheBuiltInHost)
{
    for (const char* value : {":17500", "host:", "host:abc", "host:0", "host:70000"}) {
        const auto host = updateHostFrom(value);
        EXPECT_EQ(host.host, kDefaultUpdateHost) << value;
        EXPECT_EQ(host.port, 17500) << value;
    }
}

} // namespace
} // namespace tarvex
