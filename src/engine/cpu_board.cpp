#include "engine/cpu_board.h"

#include "logic/boolean_bits.h"

namespace veldra {

void CpuBoard::UpdateIndicators() {
    BooleanBits* bits = bits_();
    for (int led = 1; led <= kLeds; ++led) {
        const BooleanBit* bit =
            bits != nullptr ? bits->Find("LED." + std::to_string(led)) : nullptr;
        Show(led, bit != nullptr && bit->BitValue());
    }
}

void CpuBoard::UpdateOutput(std::string_view BitName, bool BitValue) {
    if (BitName.empty()) {
        return;
    }
    const int led = BitName.back() - '0';
    if (led >= 1 && led <= kLeds) {
        Show(led, BitValue);
    }
}

void CpuBoard::Show(int led, bool on) {
    lit_[std::size_t(led - 1)] = on;
    Changed.Raise();
}

}  // namespace veldra
