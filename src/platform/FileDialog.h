#pragma once

#include <optional>
#include <string>

namespace tarvex {

class FileDialog
{
public:
    virtual ~FileDialog() = default;
    // Shows the system's modal save-file dialog offering initialName. filter is
    // "description|pattern", or empty for every file. Returns the chosen full
    // path, or nothing when the player cancelled.
    virtual std::optional<std::string> saveFileName(const std::string& filter, const std::string& initialName) = 0;
};

} // namespace tarvex
