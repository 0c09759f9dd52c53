#include "logic/triggers.h"

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

}  // namespace veldra
