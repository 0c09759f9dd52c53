#include "loader/trigger_names.h"

#include <string>

#include "loader/keywords.h"
#include "logic/triggers.h"

namespace veldra {

std::string_view ReadTriggerNames(std::string_view text, Triggers& triggers, bool& listOpen) {
    std::string name;
    const auto add = [&] {
        if (!name.empty()) {
            triggers.Add(name);
            name.clear();
        }
    };
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (c == ' ' || c == ',') {
            add();
            continue;
        }
        if (name.empty()) {
            // Only a word of its own closes the list: HAND or STANDBY are trigger names.
            const std::string_view rest = text.substr(at);
            if (StartsWithWord(rest, "AND")) {
                listOpen = false;
                return rest.substr(3);
            }
            if (StartsWithWord(rest, "ASSIGN")) {
                listOpen = false;
                return rest;
            }
        }
        name += c;
    }
    add();
    return {};
}

}  // namespace veldra
