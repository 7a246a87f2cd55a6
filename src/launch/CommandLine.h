#pragma once

#include <string>
#include <vector>

namespace tarvex {

// What Join Server starts: the command line as one text, for showing to the
// player, and the same request as a program and its argument vector, which is
// what the platform is given. Nothing goes through a shell.
struct ClientCommand
{
    std::string commandLine;
    std::string program;
    std::vector<std::string> arguments;
};

// The client's command line: the path, " ", the parameters, " +connect ",
// then the address, each exactly as stored or typed. Nothing is trimmed or
// quoted, so empty parameters leave two spaces before "+connect".
std::string clientCommandLine(const std::string& path, const std::string& parameters,
                              const std::string& address);

// Splits parameters into words as a shell does, without expanding anything:
// blanks (space, tab, CR, LF) separate words; single or double quotes group
// words and are removed, and a quote of the other kind inside them is an
// ordinary character; a quoted empty text is an empty word. Backslashes are
// ordinary characters, so Windows paths survive. A quote left open runs to
// the end of the text.
std::vector<std::string> splitWords(const std::string& text);

// program = the path exactly as stored (spaces and all), arguments = the
// parameters' words, "+connect", the address as one argument.
ClientCommand clientCommand(const std::string& path, const std::string& parameters,
                            const std::string& address);

// A Windows command line that the C runtime's argument parser turns back
// into exactly this program and these arguments: the program is always
// quoted, an argument only when it is empty or holds blanks or quotes.
std::string windowsCommandLine(const std::string& program, const std::vector<std::string>& arguments);

} // namespace tarvex
