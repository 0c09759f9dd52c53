#pragma once

#include <array>
#include <functional>
#include <string>

#include "platform/board_panel.h"
#include "platform/event.h"

namespace veldra {

class BooleanBits;

// The program window in its role as a board: the CPU with its eight lights "LED.1" to
// "LED.8". It keeps which light is lit; the window draws them.
class CpuBoard final : public BoardPanel {
public:
    static constexpr int kLeds = 8;

    explicit CpuBoard(std::function<BooleanBits*()> bits) : bits_(std::move(bits)) {}

    std::string Name() const override { return "frmProgram"; }
    std::string Caption() const override { return caption_; }
    void SetCaption(std::string caption) { caption_ = std::move(caption); }

    int BitCount() const override { return kLeds; }
    // "LED." and the index, for any index.
    std::string GetSystemBit(int Index) const override { return "LED." + std::to_string(Index); }
    void UpdateIndicators() override;
    // The light is the last character of the name; a name that names no light changes nothing.
    void UpdateOutput(std::string_view BitName, bool BitValue) override;
    void LoadState(std::string_view BitName, bool BitValue) override {
        UpdateOutput(BitName, BitValue);
    }

    // Light 1 to 8.
    bool Lit(int led) const { return lit_[std::size_t(led - 1)]; }

    // Raised after any light changed.
    Event<> Changed;

private:
    void Show(int led, bool on);

    std::function<BooleanBits*()> bits_;
    std::string caption_;
    std::array<bool, kLeds> lit_{};
};

}  // namespace veldra
