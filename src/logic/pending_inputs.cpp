#include "logic/pending_inputs.h"

#include <memory>

namespace veldra {

void PendingInputs::Add(std::string_view BitName, bool BitValue) {
    if (PendingInput* waiting = inputs_.Item(BitName)) {
        waiting->value_ = BitValue;
        return;
    }
    // The bit named "1" is born True, whatever is posted for it first.
    inputs_.Add(std::make_unique<PendingInput>(BitName, BitValue || BitName == "1"));
}

void PendingInputs::Aim(int position, std::uint32_t slot) {
    if (PendingInput* input = inputs_.Item(position)) {
        input->aimedSlot_ = slot;
    }
}

void PendingInputs::ClearAims() {
    for (PendingInput& input : inputs_) {
        input.aimedSlot_ = PendingInput::kNoAim;
    }
}

}  // namespace veldra
