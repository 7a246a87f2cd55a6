#include "serverlist/ServerRemoval.h"

#include "state/MainWindowState.h"

#include <string>
#include <vector>

namespace tarvex {

void removeChosenServer(MainWindowState& window)
{
    const std::string chosen = window.serverBoxText();
    // The entries are moved over one by one rather than through a "|"-joined
    // text, so an entry holding "|" survives whole. Empty entries before the
    // first non-empty survivor still go, as they always have.
    std::vector<std::string> survivors;
    survivors.reserve(window.servers().size());
    for (const auto& entry : window.servers()) {
        if (entry != chosen && !(entry.empty() && survivors.empty())) {
            survivors.push_back(entry);
        }
    }
    window.replaceServers(std::move(survivors));
    window.setServerBoxText(window.servers().empty() ? std::string() : window.servers().front());
}

} // namespace tarvex
