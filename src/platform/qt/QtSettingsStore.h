#pragma once

#include "platform/SettingsStore.h"

namespace tarvex {

// QSettings in INI format, per user, organization = application name and no
// application of its own: on Linux "$XDG_CONFIG_HOME/<application>.ini", with
// one group per section.
class QtSettingsStore final : public SettingsStore
{
public:
    std::string read(const std::string& application, const std::string& section,
                     const std::string& key) const override;
    Result save(const std::string& application, const std::string& section, const std::string& key,
              const std::string& value) override;
};

} // namespace tarvex
