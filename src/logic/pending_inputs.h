#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/keyed_collection.h"

namespace veldra {

// One outside input waiting for the next scan: the bit it is for, the value it brings and,
// where whoever posted it knew, the slot of that bit in the program's bits, so that taking
// it in needs no look-up by name.
class PendingInput {
public:
    static constexpr std::uint32_t kNoAim = ~std::uint32_t(0);

    PendingInput(std::string_view name, bool value) : name_(name), value_(value) {}

    const std::string& BitName() const { return name_; }
    bool BitValue() const { return value_; }
    std::uint32_t AimedSlot() const { return aimedSlot_; }

private:
    friend class PendingInputs;

    std::string name_;
    bool value_;
    std::uint32_t aimedSlot_ = kNoAim;
};

template <>
struct KeyIsOwnName<PendingInput> {
    static constexpr bool kUsed = true;
    static std::string_view Of(const PendingInput& input) { return input.BitName(); }
};

// The program's pending outside inputs (board-window clicks, the system-bit menus, bits
// received for serial stations), taken in by the next scan from the last to the first. One
// entry a bit name, letter case aside, where the name first came; a later input for a name
// still waiting gives that entry its value.
class PendingInputs {
public:
    void Add(std::string_view BitName, bool BitValue);

    int Count() const { return inputs_.Count(); }
    // By 1-based position; none where there is none.
    const PendingInput* Find(int position) const { return inputs_.Item(position); }
    const PendingInput* Find(std::string_view BitName) const { return inputs_.Item(BitName); }
    void Remove(int position) { inputs_.Remove(position); }
    auto begin() const { return inputs_.begin(); }
    auto end() const { return inputs_.end(); }
    void Clear() { inputs_.Clear(); }

    // Tells the input at the position which slot its bit holds; kept while it waits.
    void Aim(int position, std::uint32_t slot);
    // Forgets every aim given: the slots they name are no longer to be trusted.
    void ClearAims();

private:
    KeyedCollection<PendingInput> inputs_;
};

}  // namespace veldra
