#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "boards/lamp16.h"
#include "panels/board_window.h"
#include "platform/event.h"

namespace veldra {

// The window of a lamp driver (frmLMP16): "LAMP16", "LED12" or "LED6". One row per lamp:
// the lamp-on output's name with a lamp that follows the logic, and a box carrying the
// lamp's lamp-out input. On a "LAMP16" board a ticked box says the lamp is out; on an LED
// board it says the lamp is good, and every box starts ticked. Either way ticked is True.
class Lamp16Panel final : public BoardWindowOf<Lamp16> {
public:
    static constexpr int kFirstTop = 720;
    static constexpr int kRowHeight = 255;
    static constexpr int kRowGap = 10;

    explicit Lamp16Panel(PendingInputs& IOBits);

    std::string Name() const override { return "frmLMP16"; }
    WindowSize StartSize() const override { return {3345, 5490}; }
    WindowSize MaximumSize() const override { return StartSize(); }

    // Lamp-on names 1 to n, lamp-out names n+1 to 2n, then the ".ENABLED" bit at any
    // higher Index; n counts spare positions. Counted at the first call and kept.
    int BitCount() const override;
    std::string GetSystemBit(int Index) const override;

    // Row 0 exists from the start with its label and box captioned "SPARE"; a spare row
    // after it has no box.
    const std::vector<BoxedRow>& Rows() const { return rows_; }
    const std::string& NamesHeading() const { return namesHeading_; }
    const std::string& BoxHeading() const { return boxHeading_; }

    // The user clicks the lamp-out box of a row.
    void ClickBox(int row);
    // The right button released over a named row opens the statement of its lamp-on bit.
    void MouseUp(int row, MouseButton button);

private:
    void OnCreateimgIndic() override;
    void OnUpdateIndicators() override;
    void OnUpdateOutput(std::string_view BitName, bool BitValue) override;
    void OnLoadState(std::string_view BitName, bool BitValue) override;
    // Each lamp added then builds its row.
    void Hear(Lamp16& board) override;

    void LampAdded(std::string_view name);
    Lamps* BoardLamps() const;
    Lamp* LampAt(const BoxedRow& row) const;
    // Ticks or clears a row's box; a change runs the box rule.
    void SetBox(std::size_t row, bool ticked);
    void BoxChanged(std::size_t row);
    // The row whose lamp has this lamp-out name, the first in row order; spare rows are
    // searched only when `spare` is set.
    BoxedRow* RowOfLampOut(std::string_view BitName, bool spare);

    std::vector<BoxedRow> rows_;
    int built_ = 0;
    std::string namesHeading_ = "OUTPUTS";
    std::string boxHeading_ = "LIGHT OUT BITS";
    mutable int bitCount_ = 0;
};

}  // namespace veldra
