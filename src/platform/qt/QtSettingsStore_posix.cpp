#include "platform/qt/QtSettingsStore.h"

#include <QSettings>

namespace tarvex {

std::unique_ptr<QSettings> openSystemSettings(const QString& application)
{
    // The application name as organization and none of its own gives one
    // file named after it, not a folder holding a file.
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, application);
}

} // namespace tarvex
