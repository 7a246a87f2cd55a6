#include "launch/CommandLine.h"

namespace tarvex {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The C runtime reads 2n backslashes before a quote as n backslashes and a
// quote that opens or closes a group, and 2n+1 as n backslashes and a literal
// quote; backslashes elsewhere are literal.
std::string quoteWindowsArgument(const std::string& argument)
{
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string::npos) {
        return argument;
    }
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            quoted.append(backslashes * 2 + 1, '\\');
        } else {
            quoted.append(backslashes, '\\');
        }
        backslashes = 0;
        quoted += c;
    }
    // The closing quote must not be escaped by trailing backslashes.
    quoted.append(backslashes * 2, '\\');
    quoted += '"';
    return quoted;
}

} // namespace

std::string clientCommandLine(const std::string& path, const std::string& parameters,
                              const std::string& address)
{
    return path + " " + parameters + " +connect " + address;
}

std::vector<std::string> splitWords(const std::string& text)
{
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    char quote = 0;
    for (const char c : text) {
        if (quote != 0) {
            if (c == quote) {
                quote = 0;
            } else {
                word += c;
            }
        } else if (c == '"' || c == '\'') {
            quote = c;
            inWord = true;
        } else if (isBlank(c)) {
            if (inWord) {
                words.push_back(std::move(word));
                word.clear();
                inWord = false;
            }
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) {
        words.push_back(std::move(word));
    }
    return words;
}

ClientCommand clientCommand(const std::string& path, const std::string& parameters,
                            const std::string& address)
{
    ClientCommand command;
    command.commandLine = clientCommandLine(path, parameters, address);
    command.program = path;
    command.arguments = splitWords(parameters);
    command.arguments.push_back("+connect");
    command.arguments.push_back(address);
    return command;
}

std::string windowsCommandLine(const std::string& program, const std::vector<std::string>& arguments)
{
    // The program name is read up to the closing quote with no escapes, and
    // a Windows file name cannot hold a quote.
    std::string line = "\"" + program + "\"";
    for (const auto& argument : arguments) {
        line += ' ';
        line += quoteWindowsArgument(argument);
    }
    return line;
}

} // namespace tarvex
