#pragma once

namespace tarvex {

// The title of the launcher's own message boxes.
inline constexpr const char* kLauncherTitle = "Tarvex Game Launcher";

} // namespace tarvex
