#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "panels/io_panel.h"

namespace veldra {

// The window of a mixed I/O board (frmInOutBoard): IN8.OUT8, IN4.OUT4, IN4.OUT2.ISO,
// NV.IN32.OUT32, NV.IN32.OUT16, MIXIO and IN6.OUT6. Inputs in a left column the user
// toggles, outputs in a right column that follows the logic; the window grows as tall as
// its longer column needs, and never taller.
class InOutBoardPanel final : public IOPanel {
public:
    static constexpr int kFirstTop = 840;
    static constexpr int kRowHeight = 255;
    static constexpr int kRowGap = 10;
    static constexpr int kWidth = 3750;
    static constexpr int kLeastHeightLimit = 3000;

    explicit InOutBoardPanel(PendingInputs& IOBits);

    std::string Name() const override { return "frmInOutBoard"; }
    WindowSize StartSize() const override { return {kWidth, 7500}; }
    WindowSize MaximumSize() const override { return {kWidth, heightLimit_}; }

    // Each column has its row 0 from the start, captioned "SPARE"; input row i and output
    // row i stand level.
    const std::vector<IndicatorRow>& InputRows() const { return inputRows_; }
    const std::vector<IndicatorRow>& OutputRows() const { return outputRows_; }
    int HeightLimit() const { return heightLimit_; }

    // The mouse on an input row: a press shows a border on any row but a spare one, and
    // the right button's press keeps the click that follows from toggling the input.
    bool MouseDownInput(int row, MouseButton button);
    void ClickInput(int row);
    // The right button released over a named output opens its statement. Outputs take no
    // clicks.
    void MouseUpOutput(int row, MouseButton button);

private:
    void InputAdded(std::string_view name) override;
    void OutputAdded(std::string_view name) override;
    void ShowInputLamp(int row, bool value) override;
    void ShowOutputLamp(int row, bool value) override;
    void OnCreateimgIndic() override;
    void OnUpdateIndicators() override;

    void AddRow(std::vector<IndicatorRow>& rows, int& built, std::string_view name);

    std::vector<IndicatorRow> inputRows_;
    std::vector<IndicatorRow> outputRows_;
    int inputsBuilt_ = 0;
    int outputsBuilt_ = 0;
    int heightLimit_ = kLeastHeightLimit;
};

}  // namespace veldra
