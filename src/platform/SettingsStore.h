#pragma once

#include "platform/Result.h"

#include <string>

namespace tarvex {

// Per-user persistent strings addressed by application, section and key.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    // The stored string, or "" when the key is absent or the store unreadable.
    virtual std::string read(const std::string& application, const std::string& section, const std::string& key) const
        = 0;
    // Stores at once, replacing any earlier value. Fails with why the value
    // could not be kept.
    virtual Result save(const std::string& application, const std::string& section, const std::string& key,
                        const std::string& value)
        = 0;
};

} // namespace tarvex
