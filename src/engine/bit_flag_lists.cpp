#include "engine/bit_flag_lists.h"

#include "engine/program_engine.h"
#include "engine/sorted_names.h"

namespace veldra {

BitFlagLists::BitFlagLists(ProgramEngine& engine, Flag flag) : engine_(engine), flag_(flag) {}

std::string_view BitFlagLists::Caption() const {
    return flag_ == Flag::Filter ? "Kill some of the noise" : "Set Bits To Watch";
}

std::string_view BitFlagLists::ClearedTitle() const {
    return flag_ == Flag::Filter ? "Bits Shown in Window" : "Do Not Watch";
}

std::string_view BitFlagLists::SetTitle() const {
    return flag_ == Flag::Filter ? "Bits Not Shown in Window" : "Watch";
}

bool BitFlagLists::Flagged(const BooleanBit& bit) const {
    return flag_ == Flag::Filter ? bit.Filter() : bit.IsWatch();
}

void BitFlagLists::SetFlag(BooleanBit& bit, bool on) const {
    if (flag_ == Flag::Filter) {
        bit.SetFilter(on);
    } else {
        bit.SetIsWatch(on);
    }
}

void BitFlagLists::Load() {
    bits_ = engine_.PrgBooleanBits();
    cleared_.clear();
    set_.clear();
    if (bits_ == nullptr) {
        return;
    }
    for (const BooleanBit& bit : *bits_) {
        (Flagged(bit) ? set_ : cleared_).push_back(bit.BitName());
    }
    cleared_ = SortedNames(std::move(cleared_));
    set_ = SortedNames(std::move(set_));
}

void BitFlagLists::MoveToSet(int line) {
    Move(cleared_, set_, line, true);
}

void BitFlagLists::MoveToCleared(int line) {
    Move(set_, cleared_, line, false);
}

void BitFlagLists::Move(std::vector<std::string>& from, std::vector<std::string>& to, int line,
                        bool on) {
    if (bits_ == nullptr || line < 0 || line >= int(from.size())) {
        return;
    }
    BooleanBit* bit = bits_->Find(from[std::size_t(line)]);
    if (bit == nullptr) {
        return;
    }
    SetFlag(*bit, on);
    InsertSorted(to, std::move(from[std::size_t(line)]));
    from.erase(from.begin() + line);
}

void BitFlagLists::FlagAll(bool on) {
    if (bits_ != nullptr) {
        for (BooleanBit& bit : *bits_) {
            SetFlag(bit, on);
        }
    }
    Load();
}

void BitFlagLists::FlagBoardBits() {
    if (bits_ != nullptr) {
        for (BooleanBit& bit : *bits_) {
            SetFlag(bit, bit.IsFormBit());
        }
    }
    Load();
}

}  // namespace veldra
