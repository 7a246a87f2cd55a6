#include "state/Settings.h"

#include "platform/FileSystem.h"
#include "platform/SettingsStore.h"

namespace tarvex {
namespace settings {

std::string read(const SettingsStore& store, const std::string& key)
{
    return store.read(kApplication, kSection, key);
}

Result save(SettingsStore& store, const std::string& key, const std::string& value)
{
    return store.save(kApplication, kSection, key, value);
}

void applyClientChoiceDefault(SettingsStore& store)
{
    if (read(store, kRegular).empty()) {
        save(store, kRegular, "yes").ignore(); // the store reports its own failures
    }
}

void applyClientPathDefaults(SettingsStore& store, const FileSystem& files)
{
    if (read(store, kGlPath).empty()) {
        save(store, kGlPath, ProgramFilePath(files, kGlClient)).ignore();
        save(store, kGlCmd, "").ignore();
    }
    if (read(store, kRegularPath).empty()) {
        save(store, kRegularPath, ProgramFilePath(files, kRegularClient)).ignore();
        save(store, kRegularCmd, "").ignore();
    }
}

} // namespace settings

std::string joinPath(std::string directory, const std::string& name)
{
    if (directory.empty() || directory.back() != '/') {
        directory += '/';
    }
    return directory + name;
}

std::string ProgramFilePath(const FileSystem& files, const std::string& fileName)
{
    return joinPath(files.executableDir(), fileName);
}

} // namespace tarvex
