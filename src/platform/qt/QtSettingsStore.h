#pragma once

#include "platform/SettingsStore.h"

#include <QString>

#include <memory>

class QSettings;

namespace tarvex {

// QSettings per user, one group per section, the application name naming the
// whole store: on Linux the INI file "$XDG_CONFIG_HOME/<application>.ini", on
// Windows the registry key HKEY_CURRENT_USER\Software\<application>, where
// each section is a subkey and each value a string (REG_SZ).
class QtSettingsStore final : public SettingsStore
{
public:
    std::string read(const std::string& application, const std::string& section, const std::string& key) const override;
    Result save(const std::string& application, const std::string& section, const std::string& key,
                const std::string& value) override;
};

// This system's store for one application, opened afresh: another window or
// process may have written it since. In QtSettingsStore_posix.cpp and
// QtSettingsStore_win.cpp (CMake builds one of them).
std::unique_ptr<QSettings> openSystemSettings(const QString& application);

} // namespace tarvex
