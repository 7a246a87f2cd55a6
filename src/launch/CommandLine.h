#pragma once

#include "platform/ProcessStarter.h"

#include <string>
#include <vector>

namespace tarvex {

// The client's command line: the path, " ", the parameters, " +connect ",
// then the address, each exactly as stored or typed. Nothing is trimmed or
// quoted, so empty parameters leave two spaces before "+connect".
std::string clientCommandLine(const std::string& path, const std::string& parameters, const std::string& address);

// Splits parameters into words as the clients' C runtime splits its command
// line on Windows, so every platform hands the client the same words: spaces
// and tabs separate words; double quotes group and are removed, and inside a
// group "" is one literal quote; 2n backslashes before a quote are n
// backslashes and the quote groups, 2n+1 are n backslashes and a literal
// quote; backslashes anywhere else and apostrophes are ordinary characters,
// so "O'Brien" and "C:\Games\" stay whole. A group left open runs to the end.
std::vector<std::string> splitWords(const std::string& text);

// program = the path exactly as stored (spaces and all); arguments = the
// parameters' words, "+connect", the address as one argument; commandLine =
// the client command line with only the path quoted, since Windows takes the
// program's name up to the first blank otherwise. The parameters are not
// quoted again: the client reads them as the player wrote them.
ProcessCommand clientCommand(const std::string& path, const std::string& parameters, const std::string& address);

} // namespace tarvex
