#include "launch/CommandLine.h"

#include <utility>

namespace tarvex {

std::string clientCommandLine(const std::string& path, const std::string& parameters, const std::string& address)
{
    return path + " " + parameters + " +connect " + address;
}

std::vector<std::string> splitWords(const std::string& text)
{
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t backslashes = 0;
        while (i < text.size() && text[i] == '\\') {
            ++backslashes;
            ++i;
        }
        if (backslashes > 0) {
            inWord = true;
            const bool beforeQuote = i < text.size() && text[i] == '"';
            word.append(beforeQuote ? backslashes / 2 : backslashes, '\\');
            if (!beforeQuote) {
                continue;
            }
            if (backslashes % 2 == 1) {
                word += '"';
                ++i;
                continue;
            }
        }
        if (i == text.size()) {
            break;
        }
        const char c = text[i++];
        if (c == '"') {
            inWord = true;
            if (quoted && i < text.size() && text[i] == '"') {
                word += '"';
                ++i;
            } else {
                quoted = !quoted;
            }
        } else if ((c == ' ' || c == '\t') && !quoted) {
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

ProcessCommand clientCommand(const std::string& path, const std::string& parameters, const std::string& address)
{
    auto arguments = splitWords(parameters);
    arguments.push_back("+connect");
    arguments.push_back(address);
    // A Windows file name cannot hold a quote, so quoting the path needs no escapes.
    return {path, std::move(arguments), clientCommandLine("\"" + path + "\"", parameters, address)};
}

} // namespace tarvex
