#include "text/PortText.h"

#include <gtest/gtest.h>

namespace tarvex {
namespace {

TEST(PortText, AcceptsWholeNumbersFromZeroTo65535)
{
    EXPECT_EQ(parsePort("0"), 0);
    EXPECT_EQ(parsePort("27500"), 27500);
    EXPECT_EQ(parsePort("65535"), 65535);
    EXPECT_EQ(parsePort("0027500"), 27500);
    EXPECT_EQ(parsePort("27500 "), 27500);
    EXPECT_EQ(parsePort(" \t27500\t "), 27500);
}

TEST(PortText, RejectsEverythingElse)
{
    for (const char* text :
         {"", " ", "27.500", "abc", "70000", "65536", "-1", "+1", "2 7", "1\n", "99999999999999999999"}) {
        EXPECT_EQ(parsePort(text), std::nullopt) << '"' << text << '"';
    }
}

} // namespace
} // namespace tarvex
