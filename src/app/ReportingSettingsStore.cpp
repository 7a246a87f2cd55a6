#include "app/ReportingSettingsStore.h"

#include "app/Form1.h"
#include "platform/MessageBox.h"

namespace tarvex {

ReportingSettingsStore::ReportingSettingsStore(SettingsStore& store, MessageBox& messages)
    : m_store(store)
    , m_messages(messages)
{
}

std::string ReportingSettingsStore::read(const std::string& application, const std::string& section,
                                         const std::string& key) const
{
    return m_store.read(application, section, key);
}

std::string ReportingSettingsStore::save(const std::string& application, const std::string& section,
                                         const std::string& key, const std::string& value)
{
    auto failure = m_store.save(application, section, key, value);
    if (!failure.empty() && !m_reported) {
        m_reported = true;
        m_messages.show("The launcher's settings could not be saved (" + failure +
                            "). Changes to them will be lost when the launcher closes.",
                        kLauncherTitle);
    }
    return failure;
}

} // namespace tarvex
