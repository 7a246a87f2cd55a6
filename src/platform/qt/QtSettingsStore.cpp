#include "platform/qt/QtSettingsStore.h"

#include "platform/qt/QtText.h"

#include <QSettings>

namespace tarvex {

namespace {
QString keyPath(const std::string& section, const std::string& key)
{
    return fromLatin1(section) + QLatin1Char('/') + fromLatin1(key);
}
} // namespace

std::string QtSettingsStore::read(const std::string& application, const std::string& section,
                                  const std::string& key) const
{
    const auto store = openSystemSettings(fromLatin1(application));
    const QVariant value = store->value(keyPath(section, key));
    // Anything that is not a plain string (a hand-edited list, say) reads as
    // absent rather than as garbage.
    if (value.typeId() != QMetaType::QString) {
        return {};
    }
    return toLatin1(value.toString());
}

Result QtSettingsStore::save(const std::string& application, const std::string& section, const std::string& key,
                             const std::string& value)
{
    const auto store = openSystemSettings(fromLatin1(application));
    const QString path = keyPath(section, key);
    const QString text = fromLatin1(value);
    const QVariant stored = store->value(path);
    if (stored.typeId() == QMetaType::QString && stored.toString() == text && store->status() == QSettings::NoError) {
        // Already kept: rewriting and syncing the store at every start costs
        // a disk flush for nothing.
        return Result::success();
    }
    store->setValue(path, text);
    store->sync();
    // A FormatError only says an old INI file was garbage; sync() has
    // replaced it with a sound one all the same.
    if (store->status() == QSettings::AccessError) {
        return Result::failure(toLatin1(store->fileName()) + " could not be written");
    }
    return Result::success();
}

} // namespace tarvex
