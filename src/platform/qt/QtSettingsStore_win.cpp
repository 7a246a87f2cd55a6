#include "platform/qt/QtSettingsStore.h"

#include <QSettings>

namespace tarvex {

std::unique_ptr<QSettings> openSystemSettings(const QString& application)
{
    // The registry path itself: the organization/application constructor
    // would put a store without an application under "OrganizationDefaults".
    return std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\Software\\") + application,
                                       QSettings::NativeFormat);
}

} // namespace tarvex
