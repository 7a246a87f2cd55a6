#include "serverlist/ServerRemoval.h"

#include "app/Form1.h"

#include <string>
#include <vector>

namespace tarvex {

void removeChosenServer(Form1& form)
{
    const std::string chosen = form.serverBoxText();
    // The entries are moved over one by one rather than through a "|"-joined
    // text, so an entry holding "|" survives whole. Empty entries before the
    // first non-empty survivor still go, as they always have.
    std::vector<std::string> survivors;
    survivors.reserve(form.servers().size());
    for (const auto& entry : form.servers()) {
        if (entry != chosen && !(entry.empty() && survivors.empty())) {
            survivors.push_back(entry);
        }
    }
    form.replaceServers(std::move(survivors));
    form.setServerBoxText(form.servers().empty() ? std::string() : form.servers().front());
}

} // namespace tarvex
