#include "state/ReportingSettingsStore.h"

#include "platform/MessageBox.h"
#include "text/Titles.h"

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

Result ReportingSettingsStore::save(const std::string& application, const std::string& section, const std::string& key,
                                    const std::string& value)
{
    auto result = m_store.save(application, section, key, value);
    if (result.failed() && !m_reported) {
        m_reported = true;
        m_messages.show("The launcher's settings could not be saved (" + result.reason()
                            + "). Changes to them will be lost when the launcher closes.",
                        kLauncherTitle);
    }
    return result;
}

} // namespace tarvex
