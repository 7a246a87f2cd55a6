#pragma once

#include "platform/SettingsStore.h"

namespace tarvex {

class MessageBox;

// Passes everything to the real store and tells the player, once per run,
// when a value could not be kept: settings that silently vanish at the next
// start would look like the launcher forgetting them.
class ReportingSettingsStore final : public SettingsStore
{
public:
    ReportingSettingsStore(SettingsStore& store, MessageBox& messages);

    std::string read(const std::string& application, const std::string& section, const std::string& key) const override;
    Result save(const std::string& application, const std::string& section, const std::string& key,
                const std::string& value) override;

private:
    SettingsStore& m_store;
    MessageBox& m_messages;
    bool m_reported = false;
};

} // namespace tarvex
