#include "launch/CommandLine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

namespace tarvex::test {
namespace {

using Words = std::vector<std::string>;

TEST(CommandLineTest, TextArgumentVectorAndWindowsLineForEmptyQuotedAndSpacedInput)
{
    struct Case
    {
        const char* path;
        const char* parameters;
        const char* address;
        const char* commandLine;
        Words arguments;
    };
    const Case cases[] = {
        {"/games/qf",
         "",
         "qw.example.com:27500",
         "/games/qf  +connect qw.example.com:27500",
         {"+connect", "qw.example.com:27500"}},
        {"/games/qf",
         "-width 800 +name \"Big Joe\"",
         "10.0.0.1:27500",
         "/games/qf -width 800 +name \"Big Joe\" +connect 10.0.0.1:27500",
         {"-width", "800", "+name", "Big Joe", "+connect", "10.0.0.1:27500"}},
        {"/home/me/Quake Games/qf client",
         "-nosound",
         "a.b:1",
         "/home/me/Quake Games/qf client -nosound +connect a.b:1",
         {"-nosound", "+connect", "a.b:1"}},
        // Stored text is used as it stands: blanks around it stay in the line.
        {"C:\\Quake/qf-client-win.exe",
         " -x ",
         " a.b:1",
         "C:\\Quake/qf-client-win.exe  -x  +connect  a.b:1",
         {"-x", "+connect", " a.b:1"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(clientCommandLine(c.path, c.parameters, c.address), c.commandLine) << c.commandLine;
        const auto command = clientCommand(c.path, c.parameters, c.address);
        EXPECT_EQ(command.program, c.path);
        EXPECT_EQ(command.arguments, c.arguments) << c.commandLine;
        // Windows gets the same line with only the path quoted.
        EXPECT_EQ(command.commandLine, "\"" + std::string(c.path) + "\"" + (c.commandLine + std::strlen(c.path)));
    }
}

TEST(CommandLineTest, TextInParametersOrAddressNeverBecomesASecondCommand)
{
    const auto command = clientCommand("/games/qf", "-a; rm -rf ~ && echo $(id) `id` | cat", "a.b:1;reboot");
    EXPECT_EQ(command.program, "/games/qf");
    EXPECT_EQ(command.arguments,
              (Words{"-a;", "rm", "-rf", "~", "&&", "echo", "$(id)", "`id`", "|", "cat", "+connect", "a.b:1;reboot"}));
}

// The words a Windows client's C runtime makes of its command line.
TEST(CommandLineTest, SplitWordsFollowsTheWindowsRuntimeRules)
{
    const std::pair<const char*, Words> cases[] = {
        {"", {}},
        {" \t  ", {}},
        {"-a  -b\t-c", {"-a", "-b", "-c"}},
        {"+name O'Brien +set rate 2500", {"+name", "O'Brien", "+set", "rate", "2500"}},
        {"+name 'Big Joe'", {"+name", "'Big", "Joe'"}},
        {"+name \"Big Joe\"", {"+name", "Big Joe"}},
        {"a\"b c\"d e", {"ab cd", "e"}},
        {"say \"it's\"", {"say", "it's"}},
        {"+set x \"\" y", {"+set", "x", "", "y"}},
        {"\"say \"\"hi\"\" now\"", {"say \"hi\" now"}},
        {"-basedir C:\\Games\\Quake\\ -x", {"-basedir", "C:\\Games\\Quake\\", "-x"}},
        {"\"C:\\Quake Games\\\\\" -x", {"C:\\Quake Games\\", "-x"}},
        {"a\\\"b c\\\\\\\"d", {"a\"b", "c\\\"d"}},
        {"+name \"open to the end  ", {"+name", "open to the end  "}},
        {"line\nfeed\rstay", {"line\nfeed\rstay"}},
    };
    for (const auto& [text, words] : cases) {
        EXPECT_EQ(splitWords(text), words) << text;
    }
}

} // namespace
} // namespace tarvex::test
