#include "logic/triggers.h"

#include <algorithm>
#include <memory>

namespace veldra {

Trigger* Triggers::Add(std::string_view BitName, std::string_view sKey) {
    Trigger* trigger =
        AddReported(sKey, [&] { return std::make_unique<Trigger>(Trigger{std::string(BitName)}); });
    if (trigger != nullptr) {
        TriggerAdded.Raise(trigger->BitName);
        Changed.Raise();
    }
    return trigger;
}

void Triggers::Removing(const Trigger& trigger) {
    (void)trigger;
    Changed.Raise();
}

bool Triggers::Names(std::string_view BitName) const {
    return std::any_of(begin(), end(),
                       [&](const Trigger& trigger) { return trigger.BitName == BitName; });
}

}  // namespace veldra
