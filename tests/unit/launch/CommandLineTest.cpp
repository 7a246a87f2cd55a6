#include "launch/CommandLine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tarvex::test {
namespace {

using Words = std::vector<std::string>;

TEST(CommandLineTest, TextAndArgumentVectorForEmptyQuotedAndSpacedInput)
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
        {"/games/qf", "", "qw.example.com:27500", "/games/qf  +connect qw.example.com:27500",
         {"+connect", "qw.example.com:27500"}},
        {"/games/qf", "-width 800 +name \"Big Joe\"", "10.0.0.1:27500",
         "/games/qf -width 800 +name \"Big Joe\" +connect 10.0.0.1:27500",
         {"-width", "800", "+name", "Big Joe", "+connect", "10.0.0.1:27500"}},
        {"/home/me/Quake Games/qf client", "-nosound", "a.b:1",
         "/home/me/Quake Games/qf client -nosound +connect a.b:1", {"-nosound", "+connect", "a.b:1"}},
        // Stored text is used as it stands: blanks around it stay in the line.
        {"C:\\Quake/qf-client-win.exe", " -x ", " a.b:1", "C:\\Quake/qf-client-win.exe  -x  +connect  a.b:1",
         {"-x", "+connect", " a.b:1"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(clientCommandLine(c.path, c.parameters, c.address), c.commandLine) << c.commandLine;
        const auto command = clientCommand(c.path, c.parameters, c.address);
        EXPECT_EQ(command.commandLine, c.commandLine);
        EXPECT_EQ(command.program, c.path);
        EXPECT_EQ(command.arguments, c.arguments) << c.commandLine;
    }
}

TEST(CommandLineTest, TextInParametersOrAddressNeverBecomesASecondCommand)
{
    const auto command = clientCommand("/games/qf", "-a; rm -rf ~ && echo $(id) `id` | cat", "a.b:1;reboot");
    EXPECT_EQ(command.program, "/games/qf");
    EXPECT_EQ(command.arguments, (Words{"-a;", "rm", "-rf", "~", "&&", "echo", "$(id)", "`id`", "|", "cat",
                                        "+connect", "a.b:1;reboot"}));
}

TEST(CommandLineTest, SplitWordsGroupsQuotedTextAsAShellDoes)
{
    const std::pair<const char*, Words> cases[] = {
        {"", {}},
        {" \t \r\n ", {}},
        {"-a  -b\t-c\n-d", {"-a", "-b", "-c", "-d"}},
        {"+name \"Big Joe\"", {"+name", "Big Joe"}},
        {"+name 'Big Joe'", {"+name", "Big Joe"}},
        {"a\"b c\"d e", {"ab cd", "e"}},
        {"say 'he said \"hi\"'", {"say", "he said \"hi\""}},
        {"say \"it's\"", {"say", "it's"}},
        {"+set x \"\" +set y ''", {"+set", "x", "", "+set", "y", ""}},
        {"-basedir C:\\Games\\Quake\\", {"-basedir", "C:\\Games\\Quake\\"}},
        {"+name \"open to the end  ", {"+name", "open to the end  "}},
        {"\"\"", {""}},
    };
    for (const auto& [text, words] : cases) {
        EXPECT_EQ(splitWords(text), words) << text;
    }
}

TEST(CommandLineTest, WindowsCommandLineQuotesThePathAndWhatTheRuntimeWouldSplit)
{
    const std::pair<Words, const char*> cases[] = {
        {{}, "\"C:\\Quake Games/qf.exe\""},
        {{"+connect", "a.b:1"}, "\"C:\\Quake Games/qf.exe\" +connect a.b:1"},
        {{"Big Joe", ""}, "\"C:\\Quake Games/qf.exe\" \"Big Joe\" \"\""},
        {{"say \"hi\""}, "\"C:\\Quake Games/qf.exe\" \"say \\\"hi\\\"\""},
        // Backslashes are doubled only where a quote follows them.
        {{"C:\\a b\\", "C:\\x\\y"}, "\"C:\\Quake Games/qf.exe\" \"C:\\a b\\\\\" C:\\x\\y"},
        {{"a\\\"b"}, "\"C:\\Quake Games/qf.exe\" \"a\\\\\\\"b\""},
        {{"tab\there"}, "\"C:\\Quake Games/qf.exe\" \"tab\there\""},
    };
    for (const auto& [arguments, line] : cases) {
        EXPECT_EQ(windowsCommandLine("C:\\Quake Games/qf.exe", arguments), line) << line;
    }
}

} // namespace
} // namespace tarvex::test
