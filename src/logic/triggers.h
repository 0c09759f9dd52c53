#pragma once

#include <string>
#include <string_view>

#include "logic/model_collection.h"
#include "platform/event.h"

namespace veldra {

// A bit named in the trigger list of a state table or a numeric block.
struct Trigger {
    std::string BitName;
};

class Triggers : public ModelCollection<Trigger> {
public:
    // Appends the trigger, keyed by sKey or without a key when it is empty, and then
    // raises TriggerAdded. A key already present is refused with the model's error question.
    Trigger* Add(std::string_view BitName, std::string_view sKey = {});

    Event<std::string_view> TriggerAdded;
    // Raised after a trigger is added and before one leaves the list.
    Event<> Changed;

protected:
    void Removing(const Trigger& trigger) override;
};

}  // namespace veldra
