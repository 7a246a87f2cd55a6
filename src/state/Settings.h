#pragma once

#include "platform/Result.h"

#include <string>

namespace tarvex {

class FileSystem;
class SettingsStore;

// The launcher's one settings section and its keys. Nothing is cached: every
// read goes to the store, so a value saved by one window is seen everywhere.
namespace settings {

inline constexpr const char* kApplication = "Zephanor Installer";
inline constexpr const char* kSection = "Play Tarvex";

inline constexpr const char* kRegular = "regular?";
inline constexpr const char* kRegularPath = "Regular Quake Path";
inline constexpr const char* kRegularCmd = "Regular Quake CMD";
inline constexpr const char* kGlPath = "GL Quake Path";
inline constexpr const char* kGlCmd = "GL Quake CMD";

inline constexpr const char* kRegularClient = "qf-client-win.exe";
inline constexpr const char* kGlClient = "qf-client-wgl.exe";

std::string read(const SettingsStore& store, const std::string& key);
// The launcher's store tells the player itself when a value could not be
// kept (see ReportingSettingsStore), so a caller may ignore the failure.
Result save(SettingsStore& store, const std::string& key, const std::string& value);

// "regular?" reading "" becomes "yes".
void applyClientChoiceDefault(SettingsStore& store);
// An empty client path gets its default beside the executable, and its
// parameters are reset with it; a stored path leaves both keys alone.
void applyClientPathDefaults(SettingsStore& store, const FileSystem& files);

} // namespace settings

// A directory, "/" unless it already ends in one, then the name. "/" on
// every platform.
std::string joinPath(std::string directory, const std::string& name);

// The path of a file beside the executable.
std::string ProgramFilePath(const FileSystem& files, const std::string& fileName);

} // namespace tarvex
